#include "session/ReviewList.h"

#include "practice/ReviewSchedule.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

QString ReviewItem::title() const {
    const QString text = sentence.text ? sentence.text->simplified() : QString();
    return text.isEmpty() ? QCoreApplication::translate("ReviewList", "Sentence %1").arg(index + 1)
                          : text;
}

QString ReviewItem::fileName() const {
    return lastPathComponent(filePath);
}

namespace ReviewList {

std::vector<ReviewItem> items(const std::vector<Session>& sessions, const QDateTime& now) {
    std::vector<ReviewItem> list;
    for (const Session& session : sessions) {
        if (session.hardCount() == 0 || !QFileInfo::exists(session.filePath))
            continue;
        for (size_t i = 0; i < session.sentences.size(); ++i) {
            const Sentence& sentence = session.sentences[i];
            if (const std::optional<QDateTime> due = ReviewSchedule::due(sentence, now))
                list.push_back({session.filePath, session.fileSize, qsizetype(i), sentence, *due});
        }
    }
    std::sort(list.begin(), list.end(), [](const ReviewItem& a, const ReviewItem& b) {
        return std::tie(a.due, a.filePath, a.index) < std::tie(b.due, b.filePath, b.index);
    });
    return list;
}

qsizetype dueCount(const std::vector<ReviewItem>& items, const QDateTime& now) {
    return std::count_if(items.begin(), items.end(),
                         [&now](const ReviewItem& item) { return item.due <= now; });
}

} // namespace ReviewList
