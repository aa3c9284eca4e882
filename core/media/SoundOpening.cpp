#include "media/SoundOpening.h"

#include "media/MediaSource.h"

#include <memory>

namespace SoundOpening {

OpenedSound open(const QString& path, const QString& cacheFolder, std::stop_token stop,
                 const Progress& progress) {
    const auto report = [&progress](Stage stage) {
        return [&progress, stage](double fraction) {
            if (progress)
                progress(stage, fraction);
        };
    };
    OpenedSound sound;
    sound.playable = MediaSource::playableAudio(path, cacheFolder, stop, report(Stage::converting));
    sound.profile = EnergyProfile::read(sound.playable, profileFrame, stop, report(Stage::reading));
    return sound;
}

Progress wholeWay(std::function<void(double)> progress) {
    // A file that needs no conversion (plain audio, or a track converted before) reports only 1.
    auto converted = std::make_shared<bool>(false);
    return [progress = std::move(progress), converted](Stage stage, double fraction) {
        if (stage == Stage::converting) {
            if (fraction < 1.0)
                *converted = true;
            if (*converted)
                progress(fraction / 2);
            return;
        }
        progress(*converted ? 0.5 + fraction / 2 : fraction);
    };
}

} // namespace SoundOpening
