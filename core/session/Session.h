#pragma once

#include "base/Sentence.h"
#include "practice/PracticeSettings.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>

#include <optional>
#include <vector>

// Everything remembered about one media file, saved as one JSON file named by `key()`.
struct Session {
    qint64 version = 1;
    QString filePath;                // exactly as given when the session was made
    qint64 fileSize = 0;             // bytes, when the session was made
    double duration = 0;             // seconds of media
    std::vector<Sentence> sentences; // in time order
    qsizetype current = 0;           // index into `sentences`; may be out of range
    SplitMethod method;
    PracticeSettings settings;
    bool hardOnly = false;
    QDateTime updatedAt; // set by the caller just before each save
    // The learner chose to read recognised text plainly although it was judged unreliable.
    // Optional in the file (written only when set).
    bool showUncertainText = false;
    // The stretches of the file (seconds, joined, in order) that recognition has gone through
    // while it is unfinished: it starts where the user is and works outward, and reopening the
    // file goes on with it. Empty once it has gone through the whole file or when it never began.
    // Optional in the file (written only when not empty).
    std::vector<TimeRange> recognised;

    Session() = default;
    Session(QString filePath, qint64 fileSize, double duration, std::vector<Sentence> sentences,
            qsizetype current, SplitMethod method, PracticeSettings settings, bool hardOnly,
            QDateTime updatedAt);

    // A file is recognised only by its path and byte size.
    static QString key(const QString& path, qint64 size);
    QString key() const { return key(filePath, fileSize); }
    QString fileName() const;
    qsizetype hardCount() const;
    std::optional<Sentence> currentSentence() const;
    // The indices practice moves through: all of them, or only the hard ones when `hardOnly`.
    std::vector<qsizetype> visible() const;

    // Flips the mark of the sentence at `index`; an index out of range changes nothing. Marking a
    // sentence hard starts its review over.
    void toggleHard(qsizetype index);
    // The visible index `offset` places away from `index`. When `index` is not visible itself,
    // only the direction of `offset` counts: the nearest visible index after (offset ≥ 1) or
    // before (offset ≤ 0) it.
    std::optional<qsizetype> step(qsizetype index, qsizetype offset) const;
    // Puts new sentences in place of the old ones. A new sentence whose middle lies within an old
    // hard one is hard, one without a practice record of its own takes the record of the old
    // sentence holding its middle, and the place moves to the first new sentence that has not
    // ended before the middle of the old current one. The learner's edited sentences stay where
    // they still overlap new ones (SentenceEdits::keepEdited); gives how many stayed.
    qsizetype replaceSentences(std::vector<Sentence> newSentences, SplitMethod newMethod);

    bool operator==(const Session&) const = default;

    // Throws SessionFileError when a number is not finite or the date cannot be written.
    QJsonObject toJson() const;
    // Throws DecodingError: every key is required but the optional ones, unknown keys are ignored.
    static Session fromJson(const QJsonValue& value);

    // The session file's content: indented UTF-8 JSON with sorted keys. Throws SessionFileError.
    QByteArray encoded() const;
    // Reads a session file's content; absent when it is not a complete, well-typed session.
    static std::optional<Session> decoded(const QByteArray& bytes);
};

// The last component of a path, trailing slashes ignored ("/a/b/" gives "b", "/" gives "/").
QString lastPathComponent(const QString& path);
