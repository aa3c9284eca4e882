#pragma once

#include "audio/AudioDevices.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QAudioSink;
class QAudioSource;
class QIODevice;
class SinkFeed;

// Plays on the default output through a QAudioSink pulling from the source. A segment counts as
// played back when the sink has gone idle without error after its source ended and the sink's
// processed time has reached the length of what it was handed: going idle alone only means that
// the last frame was handed to the sound server. A sink that stops with an error, or whose
// processed time stops moving while it plays, has failed.
class QtAudioOutput final : public QObject, public AudioOutput {
    Q_OBJECT
public:
    QtAudioOutput();
    ~QtAudioOutput() override;

    std::optional<QString> start(const AudioFormat& format, std::shared_ptr<FrameSource> source,
                                 Ended ended) override;
    void stop() override;
    double heardSeconds() const override;

private:
    void stateChanged();
    void checkProgress();
    void report(std::optional<QString> failure);

    QPointer<QAudioSink> m_sink;
    SinkFeed* m_feed = nullptr; // owned by m_sink
    std::shared_ptr<FrameSource> m_source;
    Ended m_ended;
    AudioFormat m_format;
    qint64 m_handedFrames = 0;
    QTimer m_progressPoll;
    bool m_draining = false; // every frame handed over; waiting for the last to be heard
    qint64 m_lastProcessed = -1;
    QElapsedTimer m_sinceProgress;
};

// Records from the default input through a QAudioSource in push mode.
class QtAudioInput final : public QObject, public AudioInput {
    Q_OBJECT
public:
    ~QtAudioInput() override;

    bool start(const AudioFormat& format,
               std::function<void(const float*, qint64)> frames) override;
    void stop() override;

private:
    void readAvailable();

    QPointer<QAudioSource> m_source;
    QIODevice* m_device = nullptr;
    int m_channels = 1;
    std::function<void(const float*, qint64)> m_frames;
};

class QtAudioDevices final : public AudioDevices {
public:
    std::unique_ptr<AudioOutput> makeOutput() override;
    std::unique_ptr<AudioInput> makeInput() override;
};
