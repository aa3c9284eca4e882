#include "ModelHarness.h"

#include "audio/Player.h"
#include "audio/Recorder.h"
#include "speech/Transcriber.h"
#include "TestMedia.h"

#include <QDir>
#include <QSettings>
#include <QTest>

#include <cmath>

ModelHarness::ModelHarness() {
    QDir().mkpath(mediaFolder());
    m_devices->options().speed = 8;
    // The microphone hears a steady tone, so every take has a voice from start to end.
    m_devices->options().signal = [](qint64 frame, int) {
        return 0.3f * float(std::sin(2 * M_PI * 330 * double(frame) / 44100));
    };
    restart();
}

ModelHarness::~ModelHarness() {
    m_model.reset();
    // Let tasks that outlived the model see that it is gone before the folder disappears.
    QCoreApplication::processEvents();
}

AppModel& ModelHarness::restart(bool persist) {
    const bool speechGranted = !m_speech || m_speech->grants; // as set for the previous model
    if (m_model) {
        m_model.reset();
        QCoreApplication::processEvents();
    }
    auto engine = std::make_unique<ScriptedEngine>(
        std::vector<ScriptedEngine::Language>{{QStringLiteral("en-US"), true}});
    auto speech = std::make_unique<SwitchableSpeechAuthorizer>();
    speech->grants = speechGranted;
    m_engine = engine.get();
    m_speech = speech.get();

    AppModel::Services services;
    services.player = std::make_unique<Player>(m_devices);
    services.recorder = std::make_unique<Recorder>(m_devices, m_microphone);
    services.transcriber = std::make_unique<Transcriber>(std::move(engine), std::move(speech));
    services.defaults = std::make_unique<QSettings>(settingsFile(), QSettings::IniFormat);
    m_model = std::make_unique<AppModel>(store(), persist, std::move(services));
    return *m_model;
}

QString ModelHarness::media(const QString& name, const std::vector<double>& lengths) {
    return ModelMedia::bursts(mediaFolder() + u'/' + name, lengths);
}

bool ModelHarness::settle(int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (m_model->hasRunningTasks()) {
        if (timer.elapsed() > timeoutMs)
            return false;
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
    const std::optional<Session> saved = session ? store().load(session->key()) : std::nullopt;
    if (!session || saved != session) {
        qWarning() << "the session file differs from the model's session"
                   << (saved ? saved->encoded() : QByteArray("(none)"));
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
        for (qint64 i = 0; i < qint64(length * rate); ++i)
            samples.push_back(0.5f * float(std::sin(2 * M_PI * frequency * double(i) / rate)));
        samples.insert(samples.end(), size_t(pause * rate), 0.0f);
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    return TestMedia::floatWav(path, rate, 1, samples);
}

} // namespace ModelMedia

Word word(const char* text, double start, double duration) {
    return Word(QString::fromUtf8(text), start, duration);
}
