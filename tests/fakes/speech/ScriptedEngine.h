#pragma once

#include "speech/RecognitionEngine.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// An engine that plays a script instead of listening: each step calls the delegate from a thread
// of the engine's own, as a real recogniser does. Cancelling ends the stream at once but lets the
// script run on without its pauses, so what a recogniser says after being stopped is exercised too.
class ScriptedEngine final : public RecognitionEngine {
public:
    struct Step {
        std::chrono::milliseconds delay{0}; // waited before the step, cut short by cancel()
        std::function<void(const RecognitionDelegate&)> action;
    };

    struct Language {
        QString id;
        bool onDevice = true;
    };

    explicit ScriptedEngine(std::vector<Language> languages = {{QStringLiteral("en-US"), true}});
    ~ScriptedEngine() override;

    // The script of every recognition started from now on.
    void setScript(std::vector<Step> script);

    // Steps that produce one callback each.
    static Step hypothesis(std::vector<Word> words, std::chrono::milliseconds delay = {});
    static Step reached(double seconds, std::chrono::milliseconds delay = {});
    static Step result(std::vector<Word> words, std::chrono::milliseconds delay = {},
                       std::optional<TimeRange> covered = std::nullopt);
    static Step finish(bool success, std::optional<QString> message = std::nullopt,
                       std::chrono::milliseconds delay = {});

    int started() const;
    QString lastPath() const;

    QStringList supportedLanguages() const override;
    bool isOnDevice(const QString& language) const override;
    QString modelFolder(const QString& language) const override;
    std::unique_ptr<RecognitionTask> start(const QString& path, const QString& language,
                                           double from, RecognitionDelegate delegate) override;

private:
    class Task;

    std::vector<Language> m_languages;
    mutable std::mutex m_mutex;
    std::vector<Step> m_script;
    int m_started = 0;
    QString m_lastPath;
    std::vector<std::shared_ptr<Task>> m_tasks;
};
