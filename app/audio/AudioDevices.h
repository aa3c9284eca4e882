#pragma once

#include "media/AudioFormat.h"

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

// Frames for an output to play. An output pulls them on its own thread.
class FrameSource {
public:
    virtual ~FrameSource() = default;

    // Copies up to `maxFrames` interleaved frames into `into` and returns how many it copied.
    // 0 while atEnd() is false means that none is ready yet; the source then calls the function
    // given to setOnReady once frames are ready.
    virtual qint64 read(float* into, qint64 maxFrames) = 0;
    virtual bool atEnd() const = 0;
    // How many frames the source delivers in all, when known beforehand.
    virtual std::optional<qint64> totalFrames() const = 0;
    // `onReady` may be called on any thread; an empty function stops the calls, also ones that
    // are about to be made.
    virtual void setOnReady(std::function<void()> onReady) = 0;
};

// Where played frames go: a sound card, or a clock in tests.
class AudioOutput {
public:
    // Called once, on any thread: with no failure when the last frame of the source has been
    // played back (heard), not when it was merely handed over; with the reason, in the user's
    // terms, when the device failed before then.
    using Ended = std::function<void(std::optional<QString> failure)>;

    virtual ~AudioOutput() = default;

    // Starts playing `source`, replacing whatever this output played before. Returns why the
    // device cannot start, in the user's terms; nothing when it started.
    virtual std::optional<QString> start(const AudioFormat& format,
                                         std::shared_ptr<FrameSource> source, Ended ended) = 0;
    // Stops at once and drops the frames not played yet. Some devices still report the end of
    // what they played; callers must not rely on either.
    virtual void stop() = 0;
    // Seconds of the current source heard so far (handed over and past the device's latency);
    // 0 before the first frame is heard and when nothing plays. Called on the main thread.
    virtual double heardSeconds() const = 0;

    // The reasons outputs give.
    static QString noDevice() {
        return QCoreApplication::translate("AudioDevices", "No sound output device is available.");
    }
    static QString couldNotStart() {
        return QCoreApplication::translate("AudioDevices",
                                           "The sound output device couldn’t start.");
    }
    static QString deviceFailed() {
        return QCoreApplication::translate("AudioDevices",
                                           "The sound output device stopped working.");
    }
};

// Where recorded frames come from: a microphone, or a generated signal in tests.
class AudioInput {
public:
    virtual ~AudioInput() = default;

    // Starts capturing in `format`; `frames` receives interleaved frames on the main thread as
    // they arrive. Returns false when the device cannot start.
    virtual bool start(const AudioFormat& format,
                       std::function<void(const float* frames, qint64 count)> frames) = 0;
    virtual void stop() = 0;
};

// Makes the outputs and inputs that the player and the recorder use.
class AudioDevices {
public:
    virtual ~AudioDevices() = default;
    virtual std::unique_ptr<AudioOutput> makeOutput() = 0;
    virtual std::unique_ptr<AudioInput> makeInput() = 0;

    // The system's default output and input (Qt Multimedia).
    static std::shared_ptr<AudioDevices> system();
};
