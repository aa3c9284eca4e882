#pragma once

#include <QDateTime>
#include <QString>

// One row of the recent sessions on the start screen.
struct SessionSummary {
    QString key;
    QString filePath;
    qsizetype sentenceCount = 0;
    qsizetype hardCount = 0;
    qsizetype current = 0;
    QDateTime updatedAt;
    qsizetype practisedCount = 0; // sentences heard to the end or recorded at least once

    SessionSummary() = default;
    SessionSummary(QString key, QString filePath, qsizetype sentenceCount, qsizetype hardCount,
                   qsizetype current, QDateTime updatedAt, qsizetype practisedCount = 0)
        : key(std::move(key)), filePath(std::move(filePath)), sentenceCount(sentenceCount),
          hardCount(hardCount), current(current), updatedAt(std::move(updatedAt)),
          practisedCount(practisedCount) {}

    const QString& id() const { return key; }
    QString fileName() const;

    bool operator==(const SessionSummary&) const = default;
};
