#include "base/Sentence.h"

#include "base/JsonFields.h"

#include <QHashFunctions>

#include <algorithm>
#include <cmath>

using namespace JsonFields;

qint64 Sentence::id() const {
    return static_cast<qint64>(std::llround(start * 1000.0));
}

double Sentence::duration() const {
    const double difference = end - start;
    return difference > 0 ? difference : 0;
}

QJsonObject Sentence::toJson() const {
    QJsonObject object{{QStringLiteral("start"), start},
                       {QStringLiteral("end"), end},
                       {QStringLiteral("hard"), hard}};
    if (text)
        object.insert(QStringLiteral("text"), *text);
    if (confidence)
        object.insert(QStringLiteral("confidence"), *confidence);
    if (practice.repetitions > 0)
        object.insert(QStringLiteral("repetitions"), practice.repetitions);
    if (practice.takes > 0)
        object.insert(QStringLiteral("takes"), practice.takes);
    if (practice.practisedAt.isValid())
        object.insert(QStringLiteral("practisedAt"),
                      practice.practisedAt.toUTC().toString(Qt::ISODate));
    if (practice.reviewStep > 0)
        object.insert(QStringLiteral("reviewStep"), practice.reviewStep);
    if (edited)
        object.insert(QStringLiteral("edited"), true);
    return object;
}

Sentence Sentence::fromJson(const QJsonValue& value) {
    const QJsonObject object = asObject(value, u"a sentence");
    Sentence sentence;
    sentence.start = requireDouble(object, u"start");
    sentence.end = requireDouble(object, u"end");
    sentence.text = optionalString(object, u"text");
    sentence.hard = requireBool(object, u"hard");
    if (const std::optional<double> confidence = optionalDouble(object, u"confidence"))
        sentence.confidence = std::clamp(*confidence, 0.0, 1.0);
    // The practice record only informs: a count or date that does not read counts as none
    // rather than costing the learner the whole session.
    const auto count = [&object](QStringView key) {
        const double value = object.value(key).toDouble(0);
        return value >= 1 && value < 1e9 ? int(value) : 0;
    };
    sentence.practice.repetitions = count(u"repetitions");
    sentence.practice.takes = count(u"takes");
    sentence.practice.reviewStep = count(u"reviewStep");
    sentence.practice.practisedAt =
        QDateTime::fromString(object.value(u"practisedAt").toString(), Qt::ISODate);
    sentence.edited = object.value(u"edited").toBool(false);
    return sentence;
}

size_t qHash(const Sentence& sentence, size_t seed) noexcept {
    QtPrivate::QHashCombine combine;
    seed = combine(seed, sentence.start);
    seed = combine(seed, sentence.end);
    seed = combine(seed, sentence.text.has_value());
    if (sentence.text)
        seed = combine(seed, *sentence.text);
    seed = combine(seed, sentence.confidence.value_or(-1.0));
    return combine(seed, sentence.hard);
}

QJsonObject Word::toJson() const {
    return {{QStringLiteral("text"), text},
            {QStringLiteral("start"), start},
            {QStringLiteral("duration"), duration}};
}

Word Word::fromJson(const QJsonValue& value) {
    const QJsonObject object = asObject(value, u"a word");
    return Word(requireString(object, u"text"), requireDouble(object, u"start"),
                requireDouble(object, u"duration"));
}

QJsonObject TimeRange::toJson() const {
    return {{QStringLiteral("start"), start}, {QStringLiteral("end"), end}};
}

TimeRange TimeRange::fromJson(const QJsonValue& value) {
    const QJsonObject object = asObject(value, u"a time range");
    return TimeRange(requireDouble(object, u"start"), requireDouble(object, u"end"));
}

size_t qHash(const TimeRange& range, size_t seed) noexcept {
    return qHashMulti(seed, range.start, range.end);
}

std::optional<QString> SplitMethod::language() const {
    if (const auto* speech = std::get_if<Speech>(&m_value))
        return speech->language;
    return std::nullopt;
}

std::optional<SplitMethod::TextSource> SplitMethod::textSource() const {
    if (const auto* subtitles = std::get_if<Subtitles>(&m_value))
        return *subtitles;
    if (const auto* transcript = std::get_if<Transcript>(&m_value))
        return *transcript;
    return std::nullopt;
}

namespace {

QJsonObject textSourceJson(const SplitMethod::TextSource& text) {
    return {{QStringLiteral("language"), text.language}, {QStringLiteral("source"), text.source}};
}

// The language may be missing from a hand-edited file; the source names the text and must be there.
SplitMethod::TextSource textSourceFromJson(const QJsonObject& object) {
    return {optionalString(object, u"language").value_or(QString()),
            requireString(object, u"source")};
}

} // namespace

QJsonObject SplitMethod::toJson() const {
    if (const auto* speech = std::get_if<Speech>(&m_value))
        return {{QStringLiteral("speech"), QJsonObject{{QStringLiteral("_0"), speech->language}}}};
    if (const auto* subtitles = std::get_if<Subtitles>(&m_value))
        return {{QStringLiteral("subtitles"), textSourceJson(*subtitles)}};
    if (const auto* transcript = std::get_if<Transcript>(&m_value))
        return {{QStringLiteral("transcript"), textSourceJson(*transcript)}};
    return {{QStringLiteral("pauses"), QJsonObject{}}};
}

SplitMethod SplitMethod::fromJson(const QJsonValue& value) {
    const QJsonObject object = asObject(value, u"a split method");
    const QStringView keys[] = {u"speech", u"pauses", u"subtitles", u"transcript"};
    if (std::ranges::count_if(keys, [&](QStringView key) { return object.contains(key); }) != 1)
        throw DecodingError(QStringLiteral("Invalid number of keys found, expected one."));
    if (object.contains(u"speech"))
        return speech(requireString(requireObject(object, u"speech"), u"_0"));
    if (object.contains(u"subtitles"))
        return SplitMethod(Subtitles{textSourceFromJson(requireObject(object, u"subtitles"))});
    if (object.contains(u"transcript"))
        return SplitMethod(Transcript{textSourceFromJson(requireObject(object, u"transcript"))});
    requireObject(object, u"pauses");
    return pauses();
}

size_t qHash(const SplitMethod& method, size_t seed) noexcept {
    if (const auto language = method.language())
        return qHashMulti(seed, 1, *language);
    if (const auto text = method.textSource())
        return qHashMulti(seed, method.isSubtitles() ? 2 : 3, text->language, text->source);
    return qHashMulti(seed, 0);
}

namespace TimeText {

namespace {

double sanitized(double seconds) {
    return (std::isnan(seconds) || seconds < 0) ? 0.0 : seconds;
}

} // namespace

QString short_(double seconds, bool hundredths) {
    const double scale = hundredths ? 100.0 : 10.0;
    const double t = std::round(sanitized(seconds) * scale) / scale;
    const long long n = static_cast<long long>(t);
    const long long m = n / 60;
    const double s = t - 60.0 * static_cast<double>(m);
    const int places = hundredths ? 2 : 1;
    if (n < 3600)
        return QString::asprintf("%lld:%0*.*f", m, places + 3, places, s);
    return QString::asprintf("%lld:%02lld:%0*.*f", n / 3600, m % 60, places + 3, places, s);
}

QString whole(double seconds) {
    const long long n = std::llround(sanitized(seconds));
    if (n < 3600)
        return QString::asprintf("%lld:%02lld", n / 60, n % 60);
    return QString::asprintf("%lld:%02lld:%02lld", n / 3600, (n / 60) % 60, n % 60);
}

} // namespace TimeText
