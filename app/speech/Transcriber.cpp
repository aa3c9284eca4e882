#include "speech/Transcriber.h"

#include "base/LogCategories.h"
#include "speech/ListeningModel.h"
#include "speech/PocketSphinxEngine.h"
#include "split/TranscriptSplitter.h"

#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <atomic>

// One recognition as the transcriber holds it; shared with the coroutine that consumes it so that
// cancel() and a stop request reach the engine wherever they come from.
struct Transcriber::Run {
    std::shared_ptr<RecognitionTask> task;
    std::atomic<bool> cancelled = false;

    void cancel() {
        cancelled = true;
        task->cancel();
    }
};

Transcriber::Failure Transcriber::Failure::notOnDevice(const QString& language,
                                                       const QString& modelFolder) {
    return Failure(
        Kind::notOnDevice,
        QCoreApplication::translate("Transcriber",
                                    "On-device recognition for %1 isn’t on this computer. Put its "
                                    "speech model in %2, then choose Find Sentences Again.")
            .arg(displayName(language), modelFolder));
}

Transcriber::Transcriber(QObject* parent)
    : Transcriber(std::make_unique<PocketSphinxEngine>(),
                  std::make_unique<GrantedSpeechAuthorizer>(), parent) {}

Transcriber::Transcriber(std::unique_ptr<RecognitionEngine> engine,
                         std::unique_ptr<SpeechAuthorizer> authorizer, QObject* parent)
    : QObject(parent), m_engine(std::move(engine)), m_authorizer(std::move(authorizer)) {}

Transcriber::~Transcriber() {
    cancel();
}

const std::vector<Transcriber::Language>& Transcriber::languages() const {
    if (!m_languages)
        m_languages = languageList(*m_engine);
    return *m_languages;
}

QString Transcriber::preferredLanguage(const std::optional<QString>& saved) const {
    return preferredLanguage(saved, languages(), currentLocaleIdentifier());
}

bool Transcriber::isOnDevice(const QString& language) const {
    return m_engine->supportedLanguages().contains(language) && m_engine->isOnDevice(language);
}

Transcriber::Failure Transcriber::notOnDevice(const QString& language) const {
    return Failure::notOnDevice(language, modelFolder(language));
}

QString Transcriber::modelFolder(const QString& language) const {
    return m_engine->modelFolder(language);
}

QCoro::Task<bool> Transcriber::authorize() {
    return m_authorizer->authorize();
}

namespace {

// Shows the seconds heard on a model that still exists and still listens, never going back.
void showProgress(const QPointer<QObject>& model, double seconds) {
    auto* listening = qobject_cast<ListeningModel*>(model.data());
    if (!listening)
        return;
    const std::optional<double> shown = listening->listeningProgress();
    if (shown && seconds > *shown)
        listening->setListeningProgress(seconds);
}

double endOfLastWord(const std::vector<Word>& words) {
    return words.empty() ? 0.0 : words.back().end();
}

// Adds the stretch a result stands for (its words' span when the engine does not say) to those
// done so far, joined to the last one when they touch, as they do in file order.
void addCovered(std::vector<TimeRange>& covered, const RecognitionEvent::Final& result) {
    std::optional<TimeRange> range = result.covered;
    if (!range && !result.words.empty())
        range = TimeRange(result.words.front().start, result.words.back().end());
    if (!range)
        return;
    if (!covered.empty() && covered.back().end == range->start)
        covered.back().end = range->end;
    else
        covered.push_back(*range);
}

} // namespace

QCoro::Task<std::vector<Word>> Transcriber::transcribe(QString path, QString language,
                                                       QPointer<QObject> model,
                                                       std::stop_token stop, double from,
                                                       Heard heard) {
    cancel();
    if (!isOnDevice(language))
        throw notOnDevice(language);
    if (stop.stop_requested())
        throw OperationCancelled();

    RecognitionEventStream stream;
    auto run = std::make_shared<Run>();
    run->task = m_engine->start(path, language, from, RecognitionDelegate(stream.continuation()));
    m_run = run;
    const std::stop_callback onStop(stop, [run] { run->cancel(); });
    const QPointer<Transcriber> self(this);

    std::vector<Word> words;
    std::vector<TimeRange> covered;
    std::optional<QString> lastError;
    double progress = 0;
    while (std::optional<RecognitionEvent> event = co_await stream.next()) {
        if (run->cancelled)
            break;
        if (const auto* partial = std::get_if<RecognitionEvent::Partial>(&event->value)) {
            progress = std::max(progress, partial->seconds);
        } else if (auto* final_ = std::get_if<RecognitionEvent::Final>(&event->value)) {
            mergeResult(words, final_->words);
            addCovered(covered, *final_);
            // From the start recognition goes in file order: a result's end is how far it got.
            if (from <= 0)
                progress = std::max(progress, endOfLastWord(words));
            if (heard)
                heard(words, covered);
        } else {
            const auto& finished = std::get<RecognitionEvent::Finished>(event->value);
            if (!finished.success)
                lastError = finished.message;
            continue;
        }
        showProgress(model, progress);
    }

    if (self && self->m_run == run)
        self->m_run.reset();
    if (run->cancelled || stop.stop_requested())
        throw OperationCancelled();
    if (!words.empty()) {
        if (lastError)
            qCDebug(lcSpeech) << "recognition failed after" << words.size()
                              << "words, which stand:" << *lastError;
        co_return words;
    }
    if (lastError)
        throw Failure::failed(*lastError);
    co_return {};
}

void Transcriber::mergeResult(std::vector<Word>& words, const std::vector<Word>& result) {
    if (result.empty())
        return;
    const auto later = std::partition_point(words.begin(), words.end(), [&](const Word& word) {
        return word.start < result.back().end();
    });
    std::vector<Word> after(std::make_move_iterator(later), std::make_move_iterator(words.end()));
    words.erase(later, words.end());
    TranscriptSplitter::mergeInto(words, result);
    words.insert(words.end(), std::make_move_iterator(after.begin()),
                 std::make_move_iterator(after.end()));
}

void Transcriber::focus(double seconds) {
    if (m_run)
        m_run->task->focus(seconds);
}

void Transcriber::cancel() {
    if (const std::shared_ptr<Run> run = std::exchange(m_run, nullptr))
        run->cancel();
}

std::vector<Transcriber::Language> Transcriber::languageList(const RecognitionEngine& engine) {
    std::vector<Language> list;
    for (const QString& id : engine.supportedLanguages())
        list.push_back({id, displayName(id), engine.isOnDevice(id)});
    std::stable_sort(list.begin(), list.end(), [](const Language& a, const Language& b) {
        if (a.onDevice != b.onDevice)
            return a.onDevice;
        return QString::compare(a.name, b.name, Qt::CaseSensitive) < 0;
    });
    return list;
}

QString Transcriber::preferredLanguage(const std::optional<QString>& saved,
                                       const std::vector<Language>& languages,
                                       const QString& currentLocale) {
    if (saved && !saved->isEmpty())
        return *saved;
    const auto current = std::find_if(languages.begin(), languages.end(), [&](const Language& l) {
        return l.id == currentLocale && l.onDevice;
    });
    if (current != languages.end())
        return current->id;
    const auto first = std::find_if(languages.begin(), languages.end(),
                                    [](const Language& l) { return l.onDevice; });
    if (first != languages.end())
        return first->id;
    return QStringLiteral("en-US");
}

QString Transcriber::displayName(const QString& identifier) {
    const QStringList parts = identifier.split(QRegularExpression(QStringLiteral("[-_]")));
    const QLocale::Language language = QLocale::codeToLanguage(parts.value(0));
    if (language == QLocale::AnyLanguage || language == QLocale::C)
        return identifier;
    QString name = QLocale::languageToString(language);
    // The territory is the two-letter or three-digit subtag after the language (and script).
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QString& part = parts[i];
        const bool region =
            (part.size() == 2 && part[0].isLetter()) || (part.size() == 3 && part[0].isDigit());
        if (!region)
            continue;
        const QLocale::Territory territory = QLocale::codeToTerritory(part.toUpper());
        if (territory != QLocale::AnyTerritory)
            name += QStringLiteral(" (%1)").arg(QLocale::territoryToString(territory));
        break;
    }
    return name;
}

QString Transcriber::currentLocaleIdentifier() {
    return QLocale().name().replace(QLatin1Char('_'), QLatin1Char('-'));
}
