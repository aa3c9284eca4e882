#pragma once

#include "speech/ListeningModel.h"
#include "speech/ScriptedEngine.h"
#include "speech/SpeechAuthorizer.h"
#include "speech/Transcriber.h"
#include "speech/WaitForTask.h"

#include <QObject>

#include <optional>
#include <vector>

// Runs the task to its end and gives the error of the given type it threw, if it threw one.
template <typename Error, typename T> std::optional<Error> failureOf(QCoro::Task<T>&& task) {
    try {
        waitForTask(std::move(task));
    } catch (const Error& error) {
        return error;
    }
    return std::nullopt;
}

// Stands in for the application model: keeps the seconds it was shown while listening, and can
// be told to stop listening once progress reaches a point (the user opened another file).
class FakeModel final : public QObject, public ListeningModel {
    Q_OBJECT
    Q_INTERFACES(ListeningModel)

public:
    std::optional<double> listeningProgress() const override {
        return listening ? std::optional(seconds) : std::nullopt;
    }
    void setListeningProgress(double value) override {
        seconds = value;
        shown.push_back(value);
        if (leaveAt && value >= *leaveAt)
            listening = false;
    }
    void startListening() override {
        ++starts;
        listening = true;
        seconds = 0;
    }

    bool listening = true;
    double seconds = 0;
    std::vector<double> shown;
    std::optional<double> leaveAt;
    int starts = 0;
};

// A transcriber on the scripted engine, which it owns, with speech recognition allowed or refused.
struct ScriptedTranscriber {
    class Authorizer final : public SpeechAuthorizer {
    public:
        explicit Authorizer(bool grants) : m_grants(grants) {}
        QCoro::Task<bool> authorize() override { co_return m_grants; }

    private:
        bool m_grants;
    };

    explicit ScriptedTranscriber(std::vector<ScriptedEngine::Language> languages = {{"en-US",
                                                                                     true}},
                                 bool grants = true)
        : engine(new ScriptedEngine(std::move(languages))),
          transcriber(std::unique_ptr<RecognitionEngine>(engine),
                      std::make_unique<Authorizer>(grants)) {}

    ScriptedEngine* engine;
    Transcriber transcriber;
};
