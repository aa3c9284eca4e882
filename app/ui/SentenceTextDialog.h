#pragma once

#include "base/Sentence.h"

#include <QDialog>

class QPlainTextEdit;

// Edit ▸ Edit Text… (F2, or the sentence list's context menu): the text of one sentence, to type
// where there is none or to correct what recognition heard. An empty text removes it. Modal;
// main thread.
class SentenceTextDialog final : public QDialog {
    Q_OBJECT

public:
    // `number`: the sentence's place in the list, from 1.
    SentenceTextDialog(const Sentence& sentence, qsizetype number, QWidget* parent = nullptr);

    QString text() const;
    QPlainTextEdit* textBox() const { return m_text; }

private:
    QPlainTextEdit* m_text;
};
