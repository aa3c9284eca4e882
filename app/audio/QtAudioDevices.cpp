#include "audio/QtAudioDevices.h"

#include "base/LogCategories.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QAudioSource>
#include <QIODevice>
#include <QMediaDevices>

#include <vector>

namespace {

// If the processed time stops moving for this long after the last frame was handed over, the
// device is taken to have finished; before then, to have failed. A caller must never wait for
// ever. It is longer than any buffer a sound server keeps, about two seconds at most.
constexpr qint64 stallLimitMs = 3000;
// How often the processed time is looked at: while playing, only to notice a stall; while the
// last frames drain, to release the caller as soon as they have been heard.
constexpr int playingPollMs = 100;
constexpr int drainPollMs = 5;

QAudioFormat floatFormat(const AudioFormat& format) {
    QAudioFormat result;
    result.setSampleRate(format.sampleRate);
    result.setChannelCount(format.channels);
    result.setSampleFormat(QAudioFormat::Float);
    return result;
}

// Stops a sink or source and deletes it later. Deleting a PulseAudio device runs the event loop:
// from the loop itself that cannot re-enter the caller (nor the owner's destructor, as deleting
// a child would).
template <typename Device> void retire(QPointer<Device>& device, QObject* receiver) {
    if (!device)
        return;
    QObject::disconnect(device, nullptr, receiver, nullptr);
    device->stop();
    device->deleteLater();
    device = nullptr;
}

} // namespace

// Hands a FrameSource's frames to a QAudioSink and counts them.
class SinkFeed final : public QIODevice {
public:
    SinkFeed(std::shared_ptr<FrameSource> source, int channels, QObject* parent)
        : QIODevice(parent), m_source(std::move(source)),
          m_frameBytes(qint64(sizeof(float)) * channels) {
        // Unbuffered: every frame read here goes straight to the sink, so the count is exact.
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    qint64 handedFrames() const { return m_handed; }

    bool isSequential() const override { return true; }
    bool atEnd() const override { return m_source->atEnd(); }
    // Lets the sink lower its start-up buffering for a stream shorter than that.
    qint64 size() const override {
        const auto total = m_source->totalFrames();
        return total ? *total * m_frameBytes : 0;
    }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 frames =
            m_source->read(reinterpret_cast<float*>(data), maxSize / m_frameBytes);
        m_handed += frames;
        return frames * m_frameBytes;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    std::shared_ptr<FrameSource> m_source;
    qint64 m_frameBytes;
    qint64 m_handed = 0;
};

QtAudioOutput::QtAudioOutput() {
    // Connecting to the sound server takes tens of milliseconds: better now than before the first
    // sound.
    QMediaDevices::defaultAudioOutput();
    connect(&m_progressPoll, &QTimer::timeout, this, &QtAudioOutput::checkProgress);
}

QtAudioOutput::~QtAudioOutput() {
    stop();
}

std::optional<QString> QtAudioOutput::start(const AudioFormat& format,
                                            std::shared_ptr<FrameSource> source, Ended ended) {
    stop();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return noDevice();
    m_format = format;
    m_source = std::move(source);
    m_ended = std::move(ended);
    // No parent: Qt 6.4 gives the platform sink inside QAudioSink the same parent, which would
    // then delete it a second time. retire() deletes the sink.
    m_sink = new QAudioSink(device, floatFormat(format));
    m_feed = new SinkFeed(m_source, format.channels, m_sink);
    auto* feed = m_feed;
    // The sink stops pulling when it finds no frames; it starts again on readyRead.
    m_source->setOnReady([feed] {
        QMetaObject::invokeMethod(
            feed, [feed] { Q_EMIT feed->readyRead(); }, Qt::QueuedConnection);
    });
    connect(m_sink, &QAudioSink::stateChanged, this, &QtAudioOutput::stateChanged);
    m_sink->start(m_feed);
    if (m_sink->state() == QAudio::StoppedState || m_sink->error() != QAudio::NoError) {
        qCDebug(lcAudio) << "the output" << device.description()
                         << "didn't start, error:" << m_sink->error();
        stop();
        return couldNotStart();
    }
    m_draining = false;
    m_lastProcessed = -1;
    m_progressPoll.start(playingPollMs);
    return std::nullopt;
}

void QtAudioOutput::stateChanged() {
    if (!m_sink)
        return;
    const auto state = m_sink->state();
    // A stall counts from the new state on.
    m_lastProcessed = -1;
    if (state == QAudio::IdleState && m_sink->error() == QAudio::NoError && m_source->atEnd()) {
        m_draining = true;
        m_progressPoll.start(drainPollMs);
        checkProgress();
    } else if (state == QAudio::StoppedState && m_sink->error() != QAudio::NoError) {
        // The device went away: what was handed over will not be heard any more.
        qCDebug(lcAudio) << "the output stopped with error" << m_sink->error();
        report(deviceFailed());
    }
}

void QtAudioOutput::checkProgress() {
    if (!m_sink)
        return;
    const qint64 processed = m_sink->processedUSecs();
    if (processed != m_lastProcessed) {
        m_lastProcessed = processed;
        m_sinceProgress.start();
    }
    const bool stalled = m_sinceProgress.elapsed() > stallLimitMs;
    if (m_draining) {
        const qint64 length = m_feed->handedFrames() * 1000000 / m_format.sampleRate;
        if (processed < length && stalled)
            qCDebug(lcAudio) << "the output stalled at" << processed << "of" << length
                             << "us while draining; taken as played";
        if (processed >= length || stalled)
            report(std::nullopt);
    } else if (stalled) {
        // The sound server dropped the stream (a device unplugged, the stream killed) and the
        // sink never says so: nothing plays any more.
        qCDebug(lcAudio) << "the output stalled at" << processed << "us while playing";
        report(deviceFailed());
    }
}

void QtAudioOutput::report(std::optional<QString> failure) {
    auto ended = std::exchange(m_ended, {});
    stop();
    if (ended)
        ended(std::move(failure));
}

double QtAudioOutput::heardSeconds() const {
    // The sound server's stream time (interpolated by PulseAudio): what has left the speakers.
    return m_sink ? double(m_sink->processedUSecs()) / 1e6 : 0.0;
}

void QtAudioOutput::stop() {
    m_progressPoll.stop();
    m_ended = {};
    if (m_source)
        m_source->setOnReady({});
    retire(m_sink, this);
    m_feed = nullptr;
    m_source.reset();
}

QtAudioInput::~QtAudioInput() {
    stop();
}

bool QtAudioInput::start(const AudioFormat& format,
                         std::function<void(const float*, qint64)> frames) {
    stop();
    const QAudioDevice device = QMediaDevices::defaultAudioInput();
    if (device.isNull()) {
        qCDebug(lcAudio) << "there is no audio input";
        return false;
    }
    m_channels = format.channels;
    m_frames = std::move(frames);
    // No parent, as for the sink above.
    m_source = new QAudioSource(device, floatFormat(format));
    m_device = m_source->start();
    if (!m_device || m_source->error() != QAudio::NoError) {
        qCDebug(lcAudio) << "the input" << device.description()
                         << "didn't start, error:" << m_source->error();
        stop();
        return false;
    }
    connect(m_device, &QIODevice::readyRead, this, &QtAudioInput::readAvailable);
    return true;
}

void QtAudioInput::readAvailable() {
    if (!m_device)
        return;
    const QByteArray bytes = m_device->readAll();
    const qint64 frames = bytes.size() / qint64(sizeof(float) * m_channels);
    if (frames > 0 && m_frames)
        m_frames(reinterpret_cast<const float*>(bytes.constData()), frames);
}

void QtAudioInput::stop() {
    m_frames = {};
    if (m_device)
        disconnect(m_device, nullptr, this, nullptr);
    m_device = nullptr;
    retire(m_source, this);
}

std::unique_ptr<AudioOutput> QtAudioDevices::makeOutput() {
    return std::make_unique<QtAudioOutput>();
}

std::unique_ptr<AudioInput> QtAudioDevices::makeInput() {
    return std::make_unique<QtAudioInput>();
}

std::shared_ptr<AudioDevices> AudioDevices::system() {
    static const auto devices = std::make_shared<QtAudioDevices>();
    return devices;
}
