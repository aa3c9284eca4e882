#include "ui/SentenceTextDialog.h"

#include "ui/Style.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

SentenceTextDialog::SentenceTextDialog(const Sentence& sentence, qsizetype number, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("sentenceTextDialog"));
    setWindowTitle(tr("Edit Text"));
    auto* layout = new QVBoxLayout(this);

    auto* intro = new QLabel(
        tr("The words of sentence %1 (%2 – %3), as you hear them.")
            .arg(number)
            .arg(TimeText::short_(sentence.start, true), TimeText::short_(sentence.end, true)),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    m_text = new QPlainTextEdit(sentence.text.value_or(QString()), this);
    m_text->setObjectName(QStringLiteral("sentenceText"));
    m_text->setPlaceholderText(tr("No text"));
    m_text->setTabChangesFocus(true);
    m_text->setMinimumSize(440, 110);
    m_text->selectAll();
    layout->addWidget(m_text, 1);

    auto* hint = new QLabel(tr("Leave it empty to remove the text."), this);
    Style::apply(hint, Style::Text::caption, Style::secondary(this));
    layout->addWidget(hint);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton* save = buttons->addButton(tr("Save Text"), QDialogButtonBox::AcceptRole);
    save->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString SentenceTextDialog::text() const {
    // A sentence's text is one line: line breaks typed or pasted become spaces.
    return m_text->toPlainText().simplified();
}
