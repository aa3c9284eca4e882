#pragma once

#include "audio/AudioDevices.h"
#include "audio/LevelMeter.h"
#include "audio/MicrophoneAuthorization.h"
#include "audio/RecorderError.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <QCoroTask>

class TakeEncoder;

// One recording of the microphone into a take file: mono AAC at 44100 Hz in .m4a, which ends by
// itself after its duration. The take is written beside its place first and moved there when
// complete, so a recording that does not start or cannot be finished leaves an earlier take as
// it was.
class TakeRecording : public QObject {
    Q_OBJECT
public:
    ~TakeRecording() override;

    // True from the start until the take file is complete.
    bool isRecording() const { return m_recording; }
    // The RMS of the most recent 50 ms of input in dBFS.
    double averagePower() const { return m_meter.averagePower(); }
    QString path() const { return m_path; }
    double duration() const { return m_duration; }
    qint64 recordedFrames() const { return m_recorded; }
    // Once finished: why the take could not be saved, in the user's terms.
    const std::optional<QString>& failure() const { return m_failure; }

private:
    friend class Recorder;
    TakeRecording(QString path, double duration, std::unique_ptr<AudioInput> input);
    void start();
    void finish();
    void receive(const float* samples, qint64 count);

    const QString m_path;
    const QString m_partialPath;
    const double m_duration;
    const qint64 m_limit;
    std::unique_ptr<AudioInput> m_input;
    std::unique_ptr<TakeEncoder> m_encoder;
    LevelMeter m_meter;
    qint64 m_recorded = 0;
    bool m_recording = false;
    std::optional<QString> m_failure;
    QTimer m_deadline;
};

// Records the user's attempts from the microphone and exposes the running recording for the
// level meter. Lives on the main thread.
class Recorder : public QObject {
    Q_OBJECT
public:
    explicit Recorder(
        std::shared_ptr<AudioDevices> devices = AudioDevices::system(),
        std::shared_ptr<MicrophoneAuthorization> authorization = MicrophoneAuthorization::system(),
        QObject* parent = nullptr);
    ~Recorder() override;

    // Starts recording into `path` (replacing an earlier take there) for `duration` seconds,
    // creating its folder. Throws MediaError when the folder or file cannot be made, and
    // RecorderError::couldNotStart when the microphone does not start.
    void record(const QString& path, double duration);
    // Stops the recording, if any, keeping what was recorded, and clears recorder(). Returns why
    // the take of the recording it cleared could not be saved, if so.
    std::optional<QString> stop();
    // True when the application may not use the microphone; asks the user while undecided.
    QCoro::Task<bool> microphoneDenied();

    // The recording in progress or last made; null before the first and after a stop.
    const TakeRecording* recorder() const { return m_recorder.get(); }
    // The meter's level in 0…1: 0 unless a recording is running.
    double level() const;

private:
    std::shared_ptr<AudioDevices> m_devices;
    std::shared_ptr<MicrophoneAuthorization> m_authorization;
    std::unique_ptr<TakeRecording> m_recorder;
};
