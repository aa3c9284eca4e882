#include "video/PictureFeed.h"

#include "video/PictureWorker.h"

#include <algorithm>

namespace {
// How often the sound's clock is read while a moving picture is open: more often than a display
// refreshes, so that a frame is late by less than a refresh.
constexpr int tickMs = 8;
} // namespace

PictureFeed::PictureFeed(Clock clock, QObject* parent)
    : QObject(parent), m_clock(std::move(clock)) {
    m_ticks.setTimerType(Qt::PreciseTimer);
    m_ticks.setInterval(tickMs);
    connect(&m_ticks, &QTimer::timeout, this, &PictureFeed::follow);
}

PictureFeed::~PictureFeed() = default;

void PictureFeed::open(const QString& path) {
    if (path == m_path)
        return;
    close();
    m_path = path;
    if (path.isEmpty())
        return;
    const quint64 generation = ++m_generation;
    // The worker's events come back through the event loop; those of a worker stopped since are
    // dropped.
    const auto onMainThread = [this, generation](auto apply) {
        QMetaObject::invokeMethod(
            this,
            [this, generation, apply = std::move(apply)] {
                if (generation == m_generation)
                    apply();
            },
            Qt::QueuedConnection);
    };
    PictureWorker::Events events;
    events.found = [this, onMainThread](std::optional<PictureInfo> info) {
        onMainThread([this, info] {
            m_picture = info;
            tickWhileFollowing();
            Q_EMIT pictureChanged();
        });
    };
    events.frame = [this, onMainThread](QImage frame, double time) {
        onMainThread([this, frame = std::move(frame), time] {
            m_frame = frame;
            m_frameTime = time;
            Q_EMIT frameChanged();
        });
    };
    events.kept = [this, onMainThread](double at, QImage frame, double time) {
        onMainThread([this, at, frame = std::move(frame), time] {
            std::erase_if(m_kept, [at](const Kept& kept) { return kept.at == at; });
            m_kept.push_back({at, frame, time});
        });
    };
    events.failed = [this, onMainThread](QString message) {
        onMainThread([this, message] {
            m_failure = message;
            tickWhileFollowing();
            Q_EMIT pictureChanged();
        });
    };
    m_worker = std::make_unique<PictureWorker>(path, m_box, std::move(events));
    follow();
}

void PictureFeed::close() {
    m_ticks.stop();
    m_worker.reset();
    ++m_generation;
    m_path.clear();
    m_kept.clear();
    const bool hadPicture = m_picture || m_failure;
    m_picture.reset();
    m_failure.reset();
    if (hadPicture)
        Q_EMIT pictureChanged();
    if (!m_frame.isNull()) {
        m_frame = QImage();
        Q_EMIT frameChanged();
    }
}

void PictureFeed::setSentence(std::optional<TimeRange> sentence, std::optional<double> nextStart) {
    m_sentence = sentence;
    m_nextStart = nextStart;
    const std::optional<double> start = sentence ? std::optional(sentence->start) : std::nullopt;
    std::erase_if(m_kept,
                  [&](const Kept& kept) { return kept.at != start && kept.at != nextStart; });
    // Moving to the sentence whose first frame the worker decoded ahead shows it at once.
    const auto kept = std::find_if(m_kept.begin(), m_kept.end(),
                                   [&](const Kept& kept) { return kept.at == start; });
    if (kept != m_kept.end() && !m_clock() && (m_frame.isNull() || kept->time != m_frameTime)) {
        m_frame = kept->frame;
        m_frameTime = kept->time;
        Q_EMIT frameChanged();
    }
    follow();
}

void PictureFeed::setBox(QSize box) {
    if (box.isEmpty() || box == m_box)
        return;
    m_box = box;
    if (m_worker)
        m_worker->setBox(box);
}

void PictureFeed::setFollowing(bool following) {
    m_following = following;
    tickWhileFollowing();
    follow();
}

void PictureFeed::tickWhileFollowing() {
    // A cover is the same at every time.
    if (m_following && m_picture && m_picture->kind == PictureInfo::Kind::Moving && !m_failure)
        m_ticks.start();
    else
        m_ticks.stop();
}

void PictureFeed::follow() {
    if (!m_worker || !m_sentence)
        return;
    const double start = m_sentence->start;
    const std::optional<double> heard = m_clock();
    std::vector<double> keep{start};
    if (m_nextStart)
        keep.push_back(*m_nextStart);
    m_worker->show(heard ? std::clamp(*heard, start, m_sentence->end) : start, std::move(keep));
}
