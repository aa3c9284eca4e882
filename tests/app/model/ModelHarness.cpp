#include "ModelHarness.h"

#include "audio/Player.h"
#include "audio/Recorder.h"
#include "speech/Transcriber.h"
#include "TestMedia.h"

#include <QDir>
#include <QTest>

#include <cmath>

ModelHarness::ModelHarness() : ModelHarness(Options()) {}

ModelHarness::ModelHarness(Options options) : m_options(std::move(options)) {
    QDir().mkpath(mediaFolder());
    m_devices = std::make_shared<ClockedAudioDevices>();
    m_devices->options().speed = m_options.audioSpeed;
    // The microphone hears a steady tone, so every take has a voice from start to end.
    m_devices->options().signal = [](qint64 frame, int) {
        return 0.3f * float(std::sin(2 * M_PI * 330 * double(frame) / 44100));
    };
    restart(m_options.persist);
}

ModelHarness::~ModelHarness() {
    m_model.reset();
    // Let tasks that outlived the model see that it is gone before the folder disappears.
    QCoreApplication::processEvents();
}

AppModel& ModelHarness::restart(std::optional<bool> persist) {
    // Keep what the test set on the services of the previous model.
    const bool speechGranted = m_speech ? m_speech->grants : true;
    const bool microphoneGranted = m_microphone ? m_microphone->grants : true;
    if (m_model) {
        m_model.reset();
        QCoreApplication::processEvents();
    }
    if (persist)
        m_options.persist = *persist;

    auto engine = std::make_unique<ScriptedEngine>(m_options.languages);
    auto speech = std::make_unique<SwitchableSpeechAuthorizer>();
    auto microphone = std::make_shared<SwitchableMicrophone>();
    auto chooser = std::make_unique<AnsweringChooser>();
    speech->grants = speechGranted;
    microphone->grants = microphoneGranted;
    m_engine = engine.get();
    m_speech = speech.get();
    m_microphone = microphone.get();
    m_chooser = chooser.get();

    AppModel::Services services;
    services.player = std::make_unique<Player>(m_devices);
    services.recorder = std::make_unique<Recorder>(m_devices, microphone);
    services.transcriber = std::make_unique<Transcriber>(std::move(engine), std::move(speech));
    services.defaults = std::make_unique<QSettings>(settingsFile(), QSettings::IniFormat);
    services.fileChooser = std::move(chooser);
    services.audioFolder = audioFolder();
    m_microphoneOwned = microphone;
    m_model = std::make_unique<AppModel>(store(), m_options.persist, std::move(services));
    return *m_model;
}

std::unique_ptr<QSettings> ModelHarness::settings() const {
    return std::make_unique<QSettings>(settingsFile(), QSettings::IniFormat);
}

bool ModelHarness::settle(int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (m_model->hasRunningTasks()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QTest::qWait(5);
    }
    QCoreApplication::processEvents();
    return true;
}

bool ModelHarness::openAndSettle(const QString& path, int timeoutMs) {
    m_model->open(path);
    return settle(timeoutMs);
}

bool ModelHarness::savedMatchesModel() const {
    const std::optional<Session>& session = m_model->session();
    if (!session)
        return false;
    const std::optional<Session> saved = store().load(session->key());
    if (saved != session) {
        qWarning() << "the session file differs from the model's session"
                   << (saved ? saved->encoded() : QByteArray("(none)")) << session->encoded();
        return false;
    }
    return true;
}

namespace ModelMedia {

QString bursts(const QString& path, const std::vector<double>& lengths, double pause,
               double frequency) {
    constexpr int rate = 44100;
    std::vector<float> samples(size_t(pause * rate), 0.0f);
    for (const double length : lengths) {
        const auto count = qint64(length * rate);
        for (qint64 i = 0; i < count; ++i)
            samples.push_back(0.5f * float(std::sin(2 * M_PI * frequency * double(i) / rate)));
        samples.insert(samples.end(), size_t(pause * rate), 0.0f);
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    return TestMedia::floatWav(path, rate, 1, samples);
}

QString silence(const QString& path, double seconds) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    return TestMedia::floatWav(path, 44100, 1, std::vector<float>(size_t(seconds * 44100), 0.0f));
}

} // namespace ModelMedia

Word word(const char* text, double start, double duration) {
    return Word(QString::fromUtf8(text), start, duration);
}
