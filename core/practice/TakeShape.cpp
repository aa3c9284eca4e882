#include "practice/TakeShape.h"

#include "base/LogCategories.h"
#include "split/SilenceSplitter.h"

#include <algorithm>
#include <exception>

TakeShape TakeShape::of(const EnergyProfile& profile) {
    const SilenceSplitter voice(minPause, minVoice, maxVoice, pad, minSound);
    const std::vector<TimeRange> ranges = voice.split(profile);
    double start = 0;
    double end = profile.duration();
    if (!ranges.empty()) {
        start = std::max(ranges.front().start - leadIn, 0.0);
        end = ranges.back().end;
    }
    end = std::min(end + tail, profile.duration());
    return TakeShape{profile.bars(start, end, barCount), TimeRange(start, end)};
}

std::optional<TakeShape> TakeShape::read(const QString& path, std::stop_token stop) {
    try {
        return of(EnergyProfile::read(path, profileFrame, std::move(stop)));
    } catch (const std::exception& error) {
        qCDebug(lcPractice) << "The take" << path << "couldn’t be analysed:" << error.what();
        return std::nullopt;
    } catch (...) {
        qCDebug(lcPractice) << "The take" << path << "couldn’t be analysed";
        return std::nullopt;
    }
}
