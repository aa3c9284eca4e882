#include "video/PictureWorker.h"

#include "base/LogCategories.h"
#include "base/QuellinError.h"
#include "video/FrameReader.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>
#include <deque>

namespace {

// Beyond this distance from the frame shown last, the worker seeks rather than decoding its way
// forward: a keyframe is at most a few seconds back, and decoding a second of frames costs less
// than a seek only while they are few.
constexpr double readOnLimit = 1.0;

// A frame's time is its stamp times the stream's time base, so a frame at exactly a sentence's
// start can come out a hair later than the start; within this it counts as at that time.
constexpr double sameTime = 1e-4;

QImage imageOf(const VideoFrame& frame) {
    QImage image(frame.width, frame.height, QImage::Format_RGBA8888);
    const size_t rowBytes = size_t(frame.width) * 4;
    for (int y = 0; y < frame.height; ++y)
        std::memcpy(image.scanLine(y), frame.rgba.data() + size_t(y) * rowBytes, rowBytes);
    return image;
}

// The reader's frames in playing order: the frame shown (`base`), the few decoded after it, and
// the frames kept at chosen times.
class FrameSequence {
public:
    FrameSequence(const QString& path, QSize box) : m_reader(path, box.width(), box.height()) {}

    void setBox(QSize box) {
        m_reader.setBox(box.width(), box.height());
        m_kept.clear();
        m_base.reset();
        m_ahead.clear();
    }

    // The frame shown at `seconds`: a kept one at once, else the last decoded whose time is at or
    // before it, reading on or seeking as needed.
    const VideoFrame& at(double seconds) {
        if (const auto kept = std::find_if(m_kept.begin(), m_kept.end(),
                                           [seconds](const auto& k) { return k.first == seconds; });
            kept != m_kept.end()) {
            // Playing goes on from here: the reader is put back once the frame has been shown.
            if (m_restingAt != seconds)
                m_rewindTo = seconds;
            return kept->second;
        }
        m_rewindTo.reset();
        const double upTo = seconds + sameTime;
        // The base answers for any time after the one it was sought for: a picture that starts
        // later than the sound shows its first frame until then. Past the last frame it holds.
        const bool fromBase =
            m_base && (m_base->time <= upTo || (m_restingAt && *m_restingAt <= seconds));
        if (fromBase && (seconds - m_base->time < readOnLimit || m_ended)) {
            while (!m_ahead.empty() && m_ahead.front().time <= upTo) {
                m_base = std::move(m_ahead.front());
                m_ahead.pop_front();
                m_restingAt.reset();
            }
            while (m_ahead.empty() && !m_ended) {
                std::optional<VideoFrame> next = m_reader.nextFrame();
                m_ended = !next;
                if (next && next->time > upTo)
                    m_ahead.push_back(std::move(*next));
                else if (next) {
                    m_base = std::move(*next);
                    m_restingAt.reset();
                }
            }
            return *m_base;
        }
        seek(seconds);
        return *m_base;
    }

    // Decodes the frames at `times` not kept yet and forgets those no longer wanted; the reader
    // then goes back to `shown`. Calls `kept` with each frame it had not kept before.
    void keep(const std::vector<double>& times, double shown,
              const std::function<void(double, const VideoFrame&)>& kept) {
        std::erase_if(m_kept, [&times](const auto& k) {
            return std::find(times.begin(), times.end(), k.first) == times.end();
        });
        for (const double time : times) {
            if (std::any_of(m_kept.begin(), m_kept.end(),
                            [time](const auto& k) { return k.first == time; }))
                continue;
            if (m_base && m_restingAt == time) {
                m_kept.emplace_back(time, *m_base);
            } else {
                m_kept.emplace_back(time, m_reader.frameAt(time + sameTime));
                m_base.reset();
                m_restingAt.reset();
                m_rewindTo = shown;
            }
            kept(time, m_kept.back().second);
        }
    }

    // One step of work towards being ready for playing on: the reader put back after showing a
    // kept frame, or one more frame decoded ahead. False when there is nothing to do.
    bool readOn() {
        if (m_rewindTo) {
            seek(*std::exchange(m_rewindTo, std::nullopt));
            return true;
        }
        if (!m_base || m_ended || m_ahead.size() >= PictureWorker::framesAhead)
            return false;
        std::optional<VideoFrame> next = m_reader.nextFrame();
        m_ended = !next;
        if (next)
            m_ahead.push_back(std::move(*next));
        return next.has_value();
    }

private:
    void seek(double seconds) {
        m_base = m_reader.frameAt(seconds + sameTime);
        m_restingAt = seconds;
        m_ahead.clear();
        m_ended = false;
    }

    FrameReader m_reader;
    std::vector<std::pair<double, VideoFrame>> m_kept;
    std::optional<VideoFrame> m_base;
    // The time whose frame a seek made `m_base`, until reading on moves past it.
    std::optional<double> m_restingAt;
    std::deque<VideoFrame> m_ahead;
    bool m_ended = false;
    std::optional<double> m_rewindTo;
};

} // namespace

PictureWorker::PictureWorker(QString path, QSize box, Events events)
    : m_path(std::move(path)), m_events(std::move(events)) {
    m_wanted.box = box;
    m_thread = std::jthread([this](std::stop_token stop) { run(stop); });
}

PictureWorker::~PictureWorker() {
    m_thread.request_stop();
    if (m_thread.joinable())
        m_thread.join();
}

void PictureWorker::setBox(QSize box) {
    wish([box](Wanted& wanted) { wanted.box = box; });
}

void PictureWorker::show(double seconds, std::vector<double> keep) {
    wish([&](Wanted& wanted) {
        wanted.show = seconds;
        wanted.keep = std::move(keep);
    });
}

void PictureWorker::wish(const std::function<void(Wanted&)>& change) {
    {
        std::lock_guard guard(m_lock);
        Wanted changed = m_wanted;
        change(changed);
        if (changed.box == m_wanted.box && changed.show == m_wanted.show &&
            changed.keep == m_wanted.keep)
            return;
        m_wanted = std::move(changed);
        ++m_wanted.version;
    }
    m_wake.notify_all();
}

std::optional<PictureWorker::Wanted> PictureWorker::await(std::stop_token stop, quint64 seen,
                                                          bool readAhead) {
    std::unique_lock guard(m_lock);
    if (!readAhead)
        m_wake.wait(guard, stop, [&] { return m_wanted.version != seen; });
    if (stop.stop_requested())
        return std::nullopt;
    return m_wanted;
}

void PictureWorker::run(std::stop_token stop) {
    const std::optional<PictureInfo> info = findPicture(m_path);
    m_events.found(info);
    if (!info)
        return;
    try {
        serve(stop, *info);
    } catch (const QuellinError& error) {
        qCDebug(lcMedia) << "The picture of" << m_path << "can't be shown:" << error.what();
        m_events.failed(error.description());
    } catch (const std::exception& error) {
        qCDebug(lcMedia) << "The picture of" << m_path << "can't be shown:" << error.what();
        // Out of memory or the like: said as the reader says a picture it can't decode.
        m_events.failed(QCoreApplication::translate("FrameReader",
                                                    "The picture of this video can’t be shown."));
    }
}

void PictureWorker::serve(std::stop_token stop, const PictureInfo& info) {
    qCDebug(lcMedia) << "Showing the picture of" << m_path << "at" << info.displayWidth << "x"
                     << info.displayHeight;
    std::optional<Wanted> wanted = await(stop, 0, true);
    if (!wanted)
        return;
    QSize box = wanted->box;
    FrameSequence frames(m_path, box);
    std::optional<double> shown;
    quint64 seen = ~quint64(0);
    bool readAhead = false;
    while ((wanted = await(stop, seen, readAhead))) {
        if (wanted->box != box) {
            box = wanted->box;
            frames.setBox(box);
            shown.reset();
        }
        if (wanted->version != seen) {
            seen = wanted->version;
            const VideoFrame& frame = frames.at(wanted->show);
            if (shown != frame.time) {
                shown = frame.time;
                m_events.frame(imageOf(frame), frame.time);
            }
            // Holding on a kept frame leaves time to decode the others; playing does not.
            if (std::find(wanted->keep.begin(), wanted->keep.end(), wanted->show) !=
                wanted->keep.end())
                frames.keep(wanted->keep, wanted->show, [this](double at, const VideoFrame& frame) {
                    m_events.kept(at, imageOf(frame), frame.time);
                });
        }
        readAhead = frames.readOn();
    }
}
