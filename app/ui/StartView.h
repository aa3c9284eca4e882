#pragma once

#include <QDateTime>
#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QStackedLayout;
class QVBoxLayout;

// The start screen: what Quellin does, the button that opens a file, and the recent sessions.
// While a file is being read it shows only a spinner. It shows the values it is given and
// reports what the user asks for; the window connects it to the model.
class StartView final : public QWidget {
    Q_OBJECT

public:
    struct RecentItem {
        QString fileName;
        QString detail; // see detailLine
    };

    explicit StartView(QWidget* parent = nullptr);

    // While opening, only the spinner and "Reading the file…" show, with the percentage read
    // when it is known.
    void setOpening(bool opening, std::optional<double> fraction = std::nullopt);
    bool isOpening() const;
    void setRecent(const std::vector<RecentItem>& items);

    // Hard sentences due for review across files: a link to the review, hidden for none.
    void setReviewDue(qsizetype count);

    // "Sentence 3 of 40 · 12 of 40 practised · 2 hard · yesterday": the practised and hard
    // counts only when there are some.
    static QString detailLine(qsizetype current, qsizetype sentenceCount, qsizetype hardCount,
                              const QDateTime& updatedAt, const QDateTime& now,
                              qsizetype practisedCount = 0);

Q_SIGNALS:
    void openRequested();
    void recentChosen(int row);
    void forgetRequested(int row);
    void reviewRequested();

private:
    QWidget* makeWelcome();
    QWidget* makeRecentRow(int row, const RecentItem& item);

    QStackedLayout* m_pages;
    QWidget* m_welcome;
    QWidget* m_openingPage;
    QProgressBar* m_spinner;
    QLabel* m_openingCaption;
    QWidget* m_recentSection;
    QVBoxLayout* m_recentRows;
    QPushButton* m_reviewDue = nullptr;
};
