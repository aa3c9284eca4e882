#pragma once

#include "video/PictureInfo.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// Decodes the picture of one media file on a thread of its own (FFmpeg through FrameReader):
// the frame at the time asked for, a few frames after it ready for when the sound moves on, and
// the frames at the times to keep (a sentence's first frame, the next sentence's) so that
// holding on them or moving to them shows them at once. Frames are scaled to the box shown
// before they are queued: a 4K source queues no 4K frames.
//
// Threads: the setters are called on any one thread; the events run on the worker thread. The
// destructor stops the worker and waits for it (it stops between two frames).
// Failure: a file with no picture reports `found` with nothing and ends; one whose picture
// cannot be decoded reports `failed` with the reason in the user's terms and ends. The sound
// never depends on it.
class PictureWorker {
public:
    struct Events {
        // Once, first: what picture the file has; nothing when it has none.
        std::function<void(std::optional<PictureInfo>)> found;
        // The frame to show now and its time on the sound's clock (seconds).
        std::function<void(QImage frame, double time)> frame;
        // A frame kept for the time `at` (a sentence's start), so that it can be shown without
        // asking the worker.
        std::function<void(double at, QImage frame, double time)> kept;
        std::function<void(QString message)> failed;
    };

    // How many frames after the one shown are decoded ahead.
    static constexpr size_t framesAhead = 2;

    PictureWorker(QString path, QSize box, Events events);
    ~PictureWorker();
    PictureWorker(const PictureWorker&) = delete;
    PictureWorker& operator=(const PictureWorker&) = delete;

    // The size the frames are shown at, in device pixels; frames fit inside it.
    void setBox(QSize box);
    // The time (seconds on the sound's clock) whose frame is to be shown now, and the times whose
    // frames are kept decoded. While the time shown is one of those kept the worker is holding,
    // and decodes what it keeps; while it plays it only reads on.
    void show(double seconds, std::vector<double> keep);

private:
    struct Wanted {
        QSize box;
        double show = 0;
        std::vector<double> keep;
        quint64 version = 0;
    };

    void run(std::stop_token stop);
    void serve(std::stop_token stop, const PictureInfo& info);
    // Waits until something new is wanted or, while `readAhead` holds, returns at once.
    std::optional<Wanted> await(std::stop_token stop, quint64 seen, bool readAhead);
    void wish(const std::function<void(Wanted&)>& change);

    const QString m_path;
    const Events m_events;
    std::mutex m_lock;
    std::condition_variable_any m_wake;
    Wanted m_wanted;
    std::jthread m_thread;
};
