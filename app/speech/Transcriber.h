#pragma once

#include "base/QuellinError.h"
#include "base/Sentence.h"
#include "speech/RecognitionEngine.h"
#include "speech/SpeechAuthorizer.h"

#include <QCoroTask>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <vector>

// Runs on-device speech recognition over a whole sound file and returns the recognised words with
// their timing; lists the recognition languages and picks the default one. Lives on the main
// thread; the engine's callbacks reach it through an event stream.
class Transcriber final : public QObject {
    Q_OBJECT

public:
    struct Language {
        QString id;   // BCP 47, e.g. "en-US"
        QString name; // "English (United States)", or the identifier when it has no name
        bool onDevice = false;
        bool operator==(const Language&) const = default;
    };

    class Failure final : public QuellinError {
    public:
        enum class Kind { notOnDevice, failed };

        // The language's model is not installed; the text says where to put it.
        static Failure notOnDevice(const QString& language, const QString& modelFolder);
        // Recognition failed before it recognised anything; carries the recogniser's message.
        static Failure failed(QString message) { return Failure(Kind::failed, std::move(message)); }

        Kind kind() const noexcept { return m_kind; }

    private:
        Failure(Kind kind, QString description)
            : QuellinError(std::move(description)), m_kind(kind) {}
        Kind m_kind;
    };

    // Recognises with PocketSphinx; speech recognition is always granted.
    explicit Transcriber(QObject* parent = nullptr);
    Transcriber(std::unique_ptr<RecognitionEngine> engine,
                std::unique_ptr<SpeechAuthorizer> authorizer, QObject* parent = nullptr);
    ~Transcriber() override;

    // Every language of the engine, on-device ones first, each group by name. Computed once:
    // a model installed later shows as on the device only at the next start.
    const std::vector<Language>& languages() const;
    // The language to recognise in: the saved choice as it stands, else the current locale when
    // it is on the device, else the first language on the device, else "en-US".
    QString preferredLanguage(const std::optional<QString>& saved) const;

    // Whether the language's model is installed now.
    bool isOnDevice(const QString& language) const;
    Failure notOnDevice(const QString& language) const;
    // Where the user puts the language's model.
    QString modelFolder(const QString& language) const;

    QCoro::Task<bool> authorize();

    // Recognises the sound file in the language, starting around `from` seconds into it and
    // working outward, and returns the words in time order. While it runs, a `model` implementing
    // ListeningModel that still listens is shown the seconds recognised so far (never going
    // back). Throws Failure, or OperationCancelled after cancel() or a stop request. A
    // recognition that hears nothing returns no words. `heard`, when given, is called on the main
    // thread after each result with all the words so far and the stretches of the file they
    // stand for (silence included), so that a listener can show them as they come.
    using Heard =
        std::function<void(const std::vector<Word>& words, const std::vector<TimeRange>& covered)>;
    QCoro::Task<std::vector<Word>> transcribe(QString path, QString language,
                                              QPointer<QObject> model, std::stop_token stop = {},
                                              double from = 0, Heard heard = {});
    // The running recognition goes on nearest `seconds` into the file (the user moved there).
    void focus(double seconds);
    // Cancels the running recognition, if any, and forgets it.
    void cancel();
    // Adds one result's words to the words so far, which may lie after them as well as before:
    // the result replaces the words of its own time.
    static void mergeResult(std::vector<Word>& words, const std::vector<Word>& result);
    bool isRecognising() const { return m_run != nullptr; }

    // The pieces above as pure functions, for the ones that need the platform's state.
    static std::vector<Language> languageList(const RecognitionEngine& engine);
    static QString preferredLanguage(const std::optional<QString>& saved,
                                     const std::vector<Language>& languages,
                                     const QString& currentLocale);
    // "Language (Territory)" in English, or the identifier when Qt has no name for it.
    static QString displayName(const QString& identifier);
    // The current locale as a BCP 47 identifier with its territory, e.g. "de-DE".
    static QString currentLocaleIdentifier();

private:
    struct Run;
    void reportProgress(const QPointer<QObject>& model, double seconds);

    std::unique_ptr<RecognitionEngine> m_engine;
    std::unique_ptr<SpeechAuthorizer> m_authorizer;
    mutable std::optional<std::vector<Language>> m_languages;
    std::shared_ptr<Run> m_run;
};
