#pragma once

#include "base/Sentence.h"

#include <QWidget>

#include <optional>

class QLabel;
class QProgressBar;
class QStackedWidget;
class SymbolLabel;

// The foot of the sentence list: how the sentences were found. While recognition runs (or a
// transcript is aligned), a progress bar with the seconds heard (or aligned); while a file opens, a
// small spinner; afterwards the count and the method; and below, the model's notice when there is
// one.
class SplitStatus final : public QWidget {
    Q_OBJECT

public:
    explicit SplitStatus(QWidget* parent = nullptr);

    // `languageName` is the display name of the language being recognised.
    void showListening(double heard, double duration, const QString& languageName);
    // While a transcript is aligned: the seconds of the recording aligned so far.
    void showAligning(double aligned, double duration);
    void showOpening();
    // `languageName` is the display name of the method's language (unused for pauses; empty
    // when subtitles or a transcript do not say theirs).
    void showMethod(qsizetype count, const SplitMethod& method, const QString& languageName);
    void showNothing();
    void setNotice(const std::optional<QString>& notice);

    // The bar's value: the seconds heard over the file's length (at least one second), at most 1.
    static double fraction(double heard, double duration);
    static QString listeningLabel(const QString& languageName);
    static QString listeningValue(double heard, double duration);
    static QString methodText(qsizetype count, const SplitMethod& method,
                              const QString& languageName);

private:
    void showProgress(const QString& label, double done, double duration);

    QStackedWidget* m_line;
    QLabel* m_listeningLabel;
    QProgressBar* m_progress;
    QLabel* m_listeningValue;
    QProgressBar* m_spinner;
    SymbolLabel* m_methodSymbol;
    QLabel* m_methodText;
    QLabel* m_notice;
};
