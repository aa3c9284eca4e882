#pragma once

#include "session/Session.h"

#include <QDateTime>
#include <QString>

#include <vector>

// The hard sentences of every session whose media file still exists, with when each is due
// (ReviewSchedule), for the review window and the start screen. Pure over its inputs but for
// checking that the media files exist; any thread.
struct ReviewItem {
    QString filePath; // the media file, as its session knows it
    qint64 fileSize = 0;
    qsizetype index = 0; // of the sentence in its session
    Sentence sentence;
    QDateTime due;

    // The sentence's text, or "Sentence N" as in the sentence list.
    QString title() const;
    QString fileName() const;
};

namespace ReviewList {

// Sorted by when they are due, then by file and place in the file.
std::vector<ReviewItem> items(const std::vector<Session>& sessions, const QDateTime& now);
qsizetype dueCount(const std::vector<ReviewItem>& items, const QDateTime& now);

} // namespace ReviewList
