#pragma once

#include "audio/ClockedAudioDevices.h"
#include "audio/MicrophoneAuthorization.h"
#include "model/AppModel.h"
#include "speech/ScriptedEngine.h"
#include "speech/SpeechAuthorizer.h"

#include <QTemporaryDir>

#include <memory>
#include <vector>

// Speech permission that tests can refuse.
class SwitchableSpeechAuthorizer final : public SpeechAuthorizer {
public:
    bool grants = true;
    QCoro::Task<bool> authorize() override { co_return grants; }
};

// Microphone permission that tests can refuse.
class SwitchableMicrophone final : public MicrophoneAuthorization {
public:
    bool grants = true;
    Status status() const override { return grants ? Status::authorized : Status::denied; }
    QCoro::Task<bool> requestAccess() override { co_return grants; }
};

// One model on clock-driven audio devices (8 s of audio per second, a steady tone at the
// microphone) and the scripted recognition engine (US English installed), with its sessions,
// converted audio and QSettings file in a temporary folder.
class ModelHarness {
public:
    ModelHarness();
    ~ModelHarness();

    // Replaces the model by a new one over the same folders (as at the next start).
    AppModel& restart(bool persist = true);

    AppModel& model() { return *m_model; }
    AppModel* operator->() { return m_model.get(); }

    QString sessionsFolder() const { return m_dir.path() + QStringLiteral("/Sessions"); }
    QString settingsFile() const { return m_dir.path() + QStringLiteral("/Quellin.conf"); }
    QString mediaFolder() const { return m_dir.path() + QStringLiteral("/Media"); }
    SessionStore store() const { return SessionStore(sessionsFolder()); }
    // A media file of half-scale 440 Hz bursts (see ModelMedia::bursts) named `name`.
    QString media(const QString& name, const std::vector<double>& lengths = {1.0, 1.4, 0.9});

    ClockedAudioDevices& devices() { return *m_devices; }
    ScriptedEngine& engine() { return *m_engine; }
    SwitchableSpeechAuthorizer& speech() { return *m_speech; }
    SwitchableMicrophone& microphone() { return *m_microphone; }

    // Waits (running the event loop) until no task of the model runs any more.
    bool settle(int timeoutMs = 20000);
    // Opens the file and waits until opening and finding sentences are over.
    bool openAndSettle(const QString& path, int timeoutMs = 20000);
    // Whether the session file on disk holds exactly the model's session.
    bool savedMatchesModel() const;

private:
    QTemporaryDir m_dir;
    std::shared_ptr<ClockedAudioDevices> m_devices = std::make_shared<ClockedAudioDevices>();
    std::shared_ptr<SwitchableMicrophone> m_microphone = std::make_shared<SwitchableMicrophone>();
    SwitchableSpeechAuthorizer* m_speech = nullptr;
    ScriptedEngine* m_engine = nullptr;
    std::unique_ptr<AppModel> m_model;
};

// Test media written directly as WAV files.
namespace ModelMedia {

// Half-scale tone bursts of the given lengths with `pause` seconds of silence before, between
// and after them: each burst becomes one sentence of the pause split.
QString bursts(const QString& path, const std::vector<double>& lengths, double pause = 0.7,
               double frequency = 440);

} // namespace ModelMedia

// Short-hand for scripts of the recognition engine.
Word word(const char* text, double start, double duration = 0.4);
