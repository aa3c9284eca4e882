#pragma once

#include "audio/ClockedAudioDevices.h"
#include "audio/MicrophoneAuthorization.h"
#include "model/AppModel.h"
#include "model/FileChooser.h"
#include "speech/ScriptedEngine.h"
#include "speech/SpeechAuthorizer.h"

#include <QSettings>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <vector>

// Speech permission that tests can refuse.
class SwitchableSpeechAuthorizer final : public SpeechAuthorizer {
public:
    bool grants = true;
    int asked = 0;
    QCoro::Task<bool> authorize() override {
        ++asked;
        co_return grants;
    }
};

// Microphone permission that tests can refuse.
class SwitchableMicrophone final : public MicrophoneAuthorization {
public:
    bool grants = true;
    Status status() const override { return grants ? Status::authorized : Status::denied; }
    QCoro::Task<bool> requestAccess() override { co_return grants; }
};

// Answers the open panel in the user's place.
class AnsweringChooser final : public FileChooser {
public:
    std::optional<QString> answer;
    QStringList messages;
    std::optional<QString> chooseMediaFile(const QString& message) override {
        messages.append(message);
        return answer;
    }
};

// One model on clock-driven audio devices and the scripted recognition engine, with its sessions,
// converted audio and QSettings file in a temporary folder.
class ModelHarness {
public:
    struct Options {
        bool persist = true;
        // Seconds of audio played per second of real time.
        double audioSpeed = 8;
        std::vector<ScriptedEngine::Language> languages = {{QStringLiteral("en-US"), true}};
    };

    ModelHarness();
    explicit ModelHarness(Options options);
    ~ModelHarness();

    // Replaces the model by a new one over the same folders (as at the next start).
    AppModel& restart(std::optional<bool> persist = std::nullopt);

    AppModel& model() { return *m_model; }
    AppModel* operator->() { return m_model.get(); }

    QString folder() const { return m_dir.path(); }
    QString sessionsFolder() const { return m_dir.path() + QStringLiteral("/Sessions"); }
    QString audioFolder() const { return m_dir.path() + QStringLiteral("/Audio"); }
    QString settingsFile() const { return m_dir.path() + QStringLiteral("/Quellin.conf"); }
    QString mediaFolder() const { return m_dir.path() + QStringLiteral("/Media"); }
    SessionStore store() const { return SessionStore(sessionsFolder()); }
    // A fresh reader of the QSettings file the model writes.
    std::unique_ptr<QSettings> settings() const;

    ClockedAudioDevices& devices() { return *m_devices; }
    ScriptedEngine& engine() { return *m_engine; }
    SwitchableSpeechAuthorizer& speech() { return *m_speech; }
    SwitchableMicrophone& microphone() { return *m_microphone; }
    AnsweringChooser& chooser() { return *m_chooser; }

    // Waits (running the event loop) until no task of the model runs any more.
    bool settle(int timeoutMs = 20000);
    // Opens the file and waits until opening and finding sentences are over.
    bool openAndSettle(const QString& path, int timeoutMs = 20000);
    // Whether the session file on disk holds exactly the model's session.
    bool savedMatchesModel() const;

private:
    Options m_options;
    QTemporaryDir m_dir;
    std::shared_ptr<ClockedAudioDevices> m_devices;
    std::shared_ptr<SwitchableMicrophone> m_microphoneOwned;
    ScriptedEngine* m_engine = nullptr;
    SwitchableSpeechAuthorizer* m_speech = nullptr;
    SwitchableMicrophone* m_microphone = nullptr;
    AnsweringChooser* m_chooser = nullptr;
    std::unique_ptr<AppModel> m_model;
};

// Test media written directly as WAV files.
namespace ModelMedia {

// Half-scale 440 Hz bursts of the given lengths with `pause` seconds of silence before, between
// and after them: each burst becomes one sentence of the pause split.
QString bursts(const QString& path, const std::vector<double>& lengths, double pause = 0.7,
               double frequency = 440);
QString silence(const QString& path, double seconds);

} // namespace ModelMedia

// Short-hands for scripts of the recognition engine.
Word word(const char* text, double start, double duration = 0.4);
