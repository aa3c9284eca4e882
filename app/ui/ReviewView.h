#pragma once

#include "session/ReviewList.h"

#include <QDialog>

#include <vector>

class QTreeWidget;

// The review of hard sentences across files: each with its text, file, when it was last practised
// and when it is due, the due ones first. Double-clicking (or Return on) a row asks for that
// sentence to be opened. Shows the items it is given; main thread.
class ReviewView final : public QDialog {
    Q_OBJECT

public:
    explicit ReviewView(QWidget* parent = nullptr);

    void setItems(std::vector<ReviewItem> items, const QDateTime& now);

Q_SIGNALS:
    void sentenceChosen(const QString& filePath, qint64 sentenceId);

private:
    void choose(int row);

    QTreeWidget* m_list;
    std::vector<ReviewItem> m_items;
};
