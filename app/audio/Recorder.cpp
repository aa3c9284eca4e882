#include "audio/Recorder.h"

#include "audio/TakeEncoder.h"
#include "base/FileCleanup.h"
#include "base/LogCategories.h"
#include "media/MediaError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <climits>
#include <cmath>
#include <filesystem>

namespace {

// How long past its duration a recording waits for frames from a microphone that stalled.
constexpr int stallGraceMs = 1000;

QString partialPathFor(const QString& path) {
    const QFileInfo info(path);
    const QString suffix = info.suffix().isEmpty() ? QStringLiteral("m4a") : info.suffix();
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".partial.") + suffix);
}

class SystemMicrophoneAuthorization final : public MicrophoneAuthorization {
public:
    Status status() const override { return Status::authorized; }
    QCoro::Task<bool> requestAccess() override { co_return true; }
};

} // namespace

std::shared_ptr<MicrophoneAuthorization> MicrophoneAuthorization::system() {
    static const auto authorization = std::make_shared<SystemMicrophoneAuthorization>();
    return authorization;
}

TakeRecording::TakeRecording(QString path, double duration, std::unique_ptr<AudioInput> input)
    : m_path(std::move(path)), m_partialPath(partialPathFor(m_path)),
      m_duration(std::isfinite(duration) ? std::max(duration, 0.0) : 0.0),
      m_limit(std::llround(m_duration * TakeEncoder::sampleRate)), m_input(std::move(input)),
      m_encoder(std::make_unique<TakeEncoder>(m_partialPath)), m_meter(TakeEncoder::sampleRate) {
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &TakeRecording::finish);
}

TakeRecording::~TakeRecording() {
    if (m_recording)
        finish();
    m_encoder.reset();
    FileCleanup::remove(m_partialPath, lcAudio);
}

void TakeRecording::start() {
    const bool started =
        m_input->start(AudioFormat{TakeEncoder::sampleRate, 1},
                       [this](const float* samples, qint64 count) { receive(samples, count); });
    if (!started)
        throw RecorderError::couldNotStart();
    m_recording = true;
    m_deadline.start(int(std::min(std::ceil(m_duration * 1000), double(INT_MAX - stallGraceMs))) +
                     stallGraceMs);
    if (m_limit == 0)
        QTimer::singleShot(0, this, &TakeRecording::finish);
}

void TakeRecording::receive(const float* samples, qint64 count) {
    if (!m_recording || m_recorded >= m_limit)
        return;
    const qint64 take = std::min(count, m_limit - m_recorded);
    m_meter.add(samples, take);
    m_encoder->write(samples, take);
    m_recorded += take;
    if (m_recorded >= m_limit)
        // Not from inside the input's own delivery: stopping it there is not safe for every
        // device.
        QTimer::singleShot(0, this, &TakeRecording::finish);
}

void TakeRecording::finish() {
    if (!m_recording)
        return;
    m_deadline.stop();
    m_input->stop();
    m_failure = m_encoder->finish();
    m_encoder.reset();
    if (!m_failure) {
        std::error_code error;
        std::filesystem::rename(QFile::encodeName(m_partialPath).toStdString(),
                                QFile::encodeName(m_path).toStdString(), error);
        if (error)
            m_failure =
                QStringLiteral("%1 (%2).")
                    .arg(QString::fromLocal8Bit(error.message()), QDir::toNativeSeparators(m_path));
    }
    if (m_failure)
        FileCleanup::remove(m_partialPath, lcAudio);
    m_recording = false;
}

Recorder::Recorder(std::shared_ptr<AudioDevices> devices,
                   std::shared_ptr<MicrophoneAuthorization> authorization, QObject* parent)
    : QObject(parent), m_devices(std::move(devices)), m_authorization(std::move(authorization)) {}

Recorder::~Recorder() {
    stop();
}

void Recorder::record(const QString& path, double duration) {
    stop();
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        throw MediaError::failed(tr("The folder “%1” couldn’t be created.").arg(folder));
    std::unique_ptr<TakeRecording> recording(
        new TakeRecording(path, duration, m_devices->makeInput()));
    recording->start();
    m_recorder = std::move(recording);
}

std::optional<QString> Recorder::stop() {
    const std::unique_ptr<TakeRecording> recording = std::move(m_recorder);
    if (!recording)
        return std::nullopt;
    recording->finish();
    return recording->failure();
}

QCoro::Task<bool> Recorder::microphoneDenied() {
    const auto authorization = m_authorization;
    switch (authorization->status()) {
    case MicrophoneAuthorization::Status::notDetermined:
        co_return !(co_await authorization->requestAccess());
    case MicrophoneAuthorization::Status::authorized:
        co_return false;
    case MicrophoneAuthorization::Status::denied:
    case MicrophoneAuthorization::Status::restricted:
        break;
    }
    co_return true;
}

double Recorder::level() const {
    if (!m_recorder || !m_recorder->isRecording())
        return 0.0;
    return LevelMeter::level(m_recorder->averagePower());
}
