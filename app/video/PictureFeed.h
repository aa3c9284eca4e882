#pragma once

#include "base/Sentence.h"
#include "video/PictureInfo.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class PictureWorker;

// The picture of the open file kept in step with the sound, which is the master clock: while the
// clock says where in the file the sound is heard, the frame shown is the one at or just before
// that time (within the current sentence); while it says nothing (between repetitions, during the
// learner's turn, while recording, while a take plays) the sentence's first frame holds. The
// next sentence's first frame is decoded ahead, so moving on shows it at once.
//
// Lives on the main thread; decoding runs on a PictureWorker's thread. A file whose picture
// cannot be shown gives a `failure` in the user's terms, once; the sound is unaffected.
class PictureFeed final : public QObject {
    Q_OBJECT

public:
    // Where in the file the sound is being heard (seconds), while a stretch of it plays.
    using Clock = std::function<std::optional<double>()>;

    explicit PictureFeed(Clock clock, QObject* parent = nullptr);
    ~PictureFeed() override;

    // Shows the picture of the media file at `path`; an empty path shows none. Opening the file
    // already open keeps what is shown.
    void open(const QString& path);
    // The sentence being practised and where the next one starts.
    void setSentence(std::optional<TimeRange> sentence, std::optional<double> nextStart);
    // The size the picture is shown at, in device pixels.
    void setBox(QSize box);
    // Whether the sentence may be playing: only then is the clock read, every few milliseconds.
    void setFollowing(bool following);

    // The open file's picture once it has been looked at; nothing when it has none.
    const std::optional<PictureInfo>& picture() const { return m_picture; }
    // Why the picture can't be shown, in the user's terms.
    const std::optional<QString>& failure() const { return m_failure; }
    // The frame to show (null before the first) and its time on the sound's clock.
    const QImage& frame() const { return m_frame; }
    double frameTime() const { return m_frameTime; }

Q_SIGNALS:
    // `picture` or `failure` changed.
    void pictureChanged();
    void frameChanged();

private:
    // Tells the worker which frame the sound is at now.
    void follow();
    void close();
    void tickWhileFollowing();

    Clock m_clock;
    QString m_path;
    QSize m_box{640, 360};
    std::optional<TimeRange> m_sentence;
    std::optional<double> m_nextStart;
    std::unique_ptr<PictureWorker> m_worker;
    // Counts the workers started, so that events of one stopped since are dropped.
    quint64 m_generation = 0;
    std::optional<PictureInfo> m_picture;
    std::optional<QString> m_failure;
    QImage m_frame;
    double m_frameTime = 0;
    // The frames the worker decoded for the sentence's start and the next one's.
    struct Kept {
        double at;
        QImage frame;
        double time;
    };
    std::vector<Kept> m_kept;
    QTimer m_ticks;
    bool m_following = false;
};
