#include "session/Session.h"

#include "base/JsonFields.h"
#include "base/Locations.h"
#include "base/LogCategories.h"
#include "session/InternetDate.h"
#include "session/SentenceEdits.h"
#include "session/SessionFileError.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <cmath>

using namespace JsonFields;

Session::Session(QString filePath, qint64 fileSize, double duration,
                 std::vector<Sentence> sentences, qsizetype current, SplitMethod method,
                 PracticeSettings settings, bool hardOnly, QDateTime updatedAt)
    : filePath(std::move(filePath)), fileSize(fileSize), duration(duration),
      sentences(std::move(sentences)), current(current), method(std::move(method)),
      settings(settings), hardOnly(hardOnly), updatedAt(std::move(updatedAt)) {}

QString Session::key(const QString& path, qint64 size) {
    return Locations::mediaKey(path, size);
}

QString Session::fileName() const {
    return lastPathComponent(filePath);
}

qsizetype Session::hardCount() const {
    return std::count_if(sentences.begin(), sentences.end(),
                         [](const Sentence& sentence) { return sentence.hard; });
}

std::optional<Sentence> Session::currentSentence() const {
    if (current < 0 || current >= qsizetype(sentences.size()))
        return std::nullopt;
    return sentences[size_t(current)];
}

std::vector<qsizetype> Session::visible() const {
    std::vector<qsizetype> indices;
    indices.reserve(sentences.size());
    for (qsizetype i = 0; i < qsizetype(sentences.size()); ++i)
        if (!hardOnly || sentences[size_t(i)].hard)
            indices.push_back(i);
    return indices;
}

void Session::toggleHard(qsizetype index) {
    if (index < 0 || index >= qsizetype(sentences.size()))
        return;
    Sentence& sentence = sentences[size_t(index)];
    sentence.hard = !sentence.hard;
    if (sentence.hard)
        sentence.practice.reviewStep = 0; // marked hard again: its review starts over
}

std::optional<qsizetype> Session::step(qsizetype index, qsizetype offset) const {
    const std::vector<qsizetype> indices = visible();
    if (indices.empty())
        return std::nullopt;
    const auto found = std::find(indices.begin(), indices.end(), index);
    if (found != indices.end()) {
        const qsizetype position = found - indices.begin();
        const qsizetype count = qsizetype(indices.size());
        // Compared this way round so that no offset, however large, overflows.
        if (offset < -position || offset >= count - position)
            return std::nullopt;
        return indices[size_t(position + offset)];
    }
    if (offset >= 1) {
        const auto after = std::upper_bound(indices.begin(), indices.end(), index);
        return after == indices.end() ? std::nullopt : std::optional(*after);
    }
    const auto notBefore = std::lower_bound(indices.begin(), indices.end(), index);
    return notBefore == indices.begin() ? std::nullopt : std::optional(*std::prev(notBefore));
}

qsizetype Session::replaceSentences(std::vector<Sentence> newSentences, SplitMethod newMethod) {
    const qsizetype kept = SentenceEdits::keepEdited(sentences, newSentences);
    const std::optional<Sentence> old = currentSentence();
    const double reference = old ? old->middle() : 0.0;

    // The old sentences in time order: each new one looks up those holding its middle.
    for (Sentence& sentence : newSentences) {
        const double middle = sentence.middle();
        const auto holds = [middle](const Sentence& s) {
            return s.start <= middle && middle <= s.end;
        };
        sentence.hard =
            sentence.hard || std::any_of(sentences.begin(), sentences.end(),
                                         [&](const Sentence& s) { return s.hard && holds(s); });
        // The practice record follows the time it was made at.
        if (!sentence.practice.practised()) {
            const auto practised =
                std::find_if(sentences.begin(), sentences.end(),
                             [&](const Sentence& s) { return s.practice.practised() && holds(s); });
            if (practised != sentences.end())
                sentence.practice = practised->practice;
        }
    }
    sentences = std::move(newSentences);

    const auto place = std::find_if(sentences.begin(), sentences.end(),
                                    [reference](const Sentence& s) { return reference <= s.end; });
    if (place != sentences.end())
        current = place - sentences.begin();
    else
        current = sentences.empty() ? 0 : qsizetype(sentences.size()) - 1;
    method = std::move(newMethod);
    return kept;
}

namespace {

bool finite(const Session& session) {
    const auto sentenceFinite = [](const Sentence& s) {
        return std::isfinite(s.start) && std::isfinite(s.end) &&
               std::isfinite(s.confidence.value_or(0.0));
    };
    return std::isfinite(session.duration) && std::isfinite(session.settings.rate) &&
           std::isfinite(session.settings.gapFactor) &&
           std::all_of(session.sentences.begin(), session.sentences.end(), sentenceFinite);
}

} // namespace

QJsonObject Session::toJson() const {
    // JSON has no infinities or NaN; Qt would silently write null and the file would not load.
    if (!finite(*this))
        throw SessionFileError(
            QCoreApplication::translate(
                "Session", "The session of “%1” holds a time or setting that isn’t a number.")
                .arg(fileName()));
    const std::optional<QString> date = InternetDate::format(updatedAt);
    if (!date)
        throw SessionFileError(
            QCoreApplication::translate("Session", "The session of “%1” has no valid save time.")
                .arg(fileName()));

    QJsonArray sentenceArray;
    for (const Sentence& sentence : sentences)
        sentenceArray.append(sentence.toJson());
    QJsonObject object{{QStringLiteral("version"), version},
                       {QStringLiteral("filePath"), filePath},
                       {QStringLiteral("fileSize"), fileSize},
                       {QStringLiteral("duration"), duration},
                       {QStringLiteral("sentences"), sentenceArray},
                       {QStringLiteral("current"), current},
                       {QStringLiteral("method"), method.toJson()},
                       {QStringLiteral("settings"), settings.toJson()},
                       {QStringLiteral("hardOnly"), hardOnly},
                       {QStringLiteral("updatedAt"), *date}};
    if (showUncertainText)
        object.insert(QStringLiteral("showUncertainText"), true);
    if (!recognised.empty()) {
        QJsonArray ranges;
        for (const TimeRange& range : recognised)
            ranges.append(range.toJson());
        object.insert(QStringLiteral("recognised"), ranges);
    }
    return object;
}

Session Session::fromJson(const QJsonValue& value) {
    const QJsonObject object = asObject(value, u"a session");
    Session session;
    session.version = requireInteger(object, u"version");
    session.filePath = requireString(object, u"filePath");
    session.fileSize = requireInteger(object, u"fileSize");
    session.duration = requireDouble(object, u"duration");
    const QJsonArray sentenceArray = requireArray(object, u"sentences");
    session.sentences.reserve(size_t(sentenceArray.size()));
    for (const QJsonValue& sentence : sentenceArray)
        session.sentences.push_back(Sentence::fromJson(sentence));
    session.current = requireInteger(object, u"current");
    session.method = SplitMethod::fromJson(require(object, u"method"));
    session.settings = PracticeSettings::fromJson(require(object, u"settings"));
    session.hardOnly = requireBool(object, u"hardOnly");
    const std::optional<QDateTime> date = InternetDate::parse(requireString(object, u"updatedAt"));
    if (!date)
        throw DecodingError(QStringLiteral("Expected an internet date-time for key “updatedAt”."));
    session.updatedAt = *date;
    if (object.contains(u"showUncertainText"))
        session.showUncertainText = requireBool(object, u"showUncertainText");
    if (object.contains(u"recognised"))
        for (const QJsonValue& range : requireArray(object, u"recognised"))
            session.recognised.push_back(TimeRange::fromJson(range));
    return session;
}

QByteArray Session::encoded() const {
    return QJsonDocument(toJson()).toJson(QJsonDocument::Indented);
}

std::optional<Session> Session::decoded(const QByteArray& bytes) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        qCDebug(lcSession) << "a session file isn't a JSON object:" << error.errorString();
        return std::nullopt;
    }
    try {
        return fromJson(document.object());
    } catch (const DecodingError& failure) {
        qCDebug(lcSession) << "a session file doesn't decode:" << failure.description();
        return std::nullopt;
    }
}

QString lastPathComponent(const QString& path) {
    QStringView trimmed(path);
    while (trimmed.size() > 1 && trimmed.endsWith(u'/'))
        trimmed.chop(1);
    if (trimmed == u"/")
        return QStringLiteral("/");
    return trimmed.mid(trimmed.lastIndexOf(u'/') + 1).toString();
}
