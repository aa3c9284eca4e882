#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>

#include <optional>
#include <variant>

// What the learner has done with a sentence, for the practice record and the review of hard
// sentences (ReviewSchedule). Kept in the session file as optional keys of the sentence, written
// only when set: files without them read as nothing practised, older readers ignore them.
struct PracticeRecord {
    int repetitions = 0;   // repetitions heard to the end
    int takes = 0;         // takes recorded
    QDateTime practisedAt; // the last of either, in whole seconds; invalid when never
    int reviewStep = 0;    // steps of the review schedule passed since it was marked hard

    bool practised() const { return repetitions > 0 || takes > 0; }
    bool operator==(const PracticeRecord&) const = default;
};

// A stretch of the media file that the user practises. Times are seconds from the file's start.
struct Sentence {
    double start = 0;
    double end = 0;
    std::optional<QString> text;
    bool hard = false;
    // How likely the recognised text is right, 0 to 1: the duration-weighted mean of its words'
    // confidences. None for sentences whose text did not come from recognition.
    std::optional<double> confidence;
    PracticeRecord practice;
    // The learner moved its edges, split, merged or retyped it: a new list of sentences keeps it
    // (SentenceEdits::keepEdited). Optional in the file, written only when set.
    bool edited = false;

    Sentence() = default;
    Sentence(double start, double end, std::optional<QString> text = std::nullopt,
             bool hard = false)
        : start(start), end(end), text(std::move(text)), hard(hard) {}

    // The start in whole milliseconds, halves away from zero; identifies the sentence in lists.
    qint64 id() const;
    double duration() const;
    double middle() const { return (start + end) * 0.5; }

    bool operator==(const Sentence&) const = default;

    QJsonObject toJson() const;
    static Sentence fromJson(const QJsonValue& value); // throws DecodingError
};
size_t qHash(const Sentence& sentence, size_t seed = 0) noexcept;

// One recognised word. The text may carry punctuation and surrounding white space.
struct Word {
    QString text;
    double start = 0;
    double duration = 0;
    // The recogniser's posterior probability of the word, 0 to 1, when it gives one.
    std::optional<double> confidence;

    Word() = default;
    Word(QString text, double start, double duration)
        : text(std::move(text)), start(start), duration(duration) {}

    double end() const { return start + duration; }
    bool operator==(const Word&) const = default;

    QJsonObject toJson() const;
    static Word fromJson(const QJsonValue& value); // throws DecodingError
};

struct TimeRange {
    double start = 0;
    double end = 0;

    TimeRange() = default;
    TimeRange(double start, double end) : start(start), end(end) {}

    double duration() const { return end - start; }
    bool operator==(const TimeRange&) const = default;

    QJsonObject toJson() const;
    static TimeRange fromJson(const QJsonValue& value); // throws DecodingError
};
size_t qHash(const TimeRange& range, size_t seed = 0) noexcept;

// How the sentences of a session were found: by speech recognition in a language, at pauses, from
// subtitles, or from a transcript aligned to the sound.
class SplitMethod {
public:
    struct Speech {
        QString language;
        bool operator==(const Speech&) const = default;
    };
    struct Pauses {
        bool operator==(const Pauses&) const = default;
    };
    // Where a text given by the user came from: its language (BCP 47, empty when unknown) and
    // what the user knows it by (a file name, a stream's title, "pasted text").
    struct TextSource {
        QString language;
        QString source;
        bool operator==(const TextSource&) const = default;
    };
    struct Subtitles : TextSource {};
    struct Transcript : TextSource {};

    SplitMethod() = default;
    static SplitMethod speech(QString language) { return SplitMethod(Speech{std::move(language)}); }
    static SplitMethod pauses() { return SplitMethod(Pauses{}); }
    static SplitMethod subtitles(QString language, QString source) {
        return SplitMethod(Subtitles{{std::move(language), std::move(source)}});
    }
    static SplitMethod transcript(QString language, QString source) {
        return SplitMethod(Transcript{{std::move(language), std::move(source)}});
    }

    bool isSpeech() const { return std::holds_alternative<Speech>(m_value); }
    bool isPauses() const { return std::holds_alternative<Pauses>(m_value); }
    bool isSubtitles() const { return std::holds_alternative<Subtitles>(m_value); }
    bool isTranscript() const { return std::holds_alternative<Transcript>(m_value); }
    // The recognition language, when the method is speech.
    std::optional<QString> language() const;
    // The text's language and source, when the method is subtitles or a transcript.
    std::optional<TextSource> textSource() const;

    bool operator==(const SplitMethod&) const = default;

    QJsonObject toJson() const;
    static SplitMethod fromJson(const QJsonValue& value); // throws DecodingError

private:
    using Value = std::variant<Pauses, Speech, Subtitles, Transcript>;
    explicit SplitMethod(Value value) : m_value(std::move(value)) {}
    Value m_value;
};
size_t qHash(const SplitMethod& method, size_t seed = 0) noexcept;

// The ways times are shown: to a tenth of a second (m:ss.t), or to a hundredth (m:ss.tt) with
// `hundredths` (where edges move in 50 ms steps), and to the whole second (m:ss).
namespace TimeText {
QString short_(double seconds, bool hundredths = false);
QString whole(double seconds);
} // namespace TimeText
