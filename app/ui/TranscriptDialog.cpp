#include "ui/TranscriptDialog.h"

#include "align/TranscriptAlignment.h"
#include "ui/Style.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

TranscriptDialog::TranscriptDialog(const QString& mediaPath, const QString& language,
                                   QWidget* parent)
    : QDialog(parent), m_folder(QFileInfo(mediaPath).absolutePath()) {
    setObjectName(QStringLiteral("transcriptDialog"));
    setWindowTitle(tr("Add Transcript"));
    auto* layout = new QVBoxLayout(this);

    auto* intro =
        new QLabel(tr("Paste the text spoken in “%1”, or open the file that holds it. Quellin "
                      "finds where each sentence is spoken.")
                       .arg(QFileInfo(mediaPath).fileName()),
                   this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("transcriptText"));
    m_text->setPlaceholderText(tr("The transcript, as written"));
    m_text->setMinimumSize(520, 260);
    layout->addWidget(m_text, 1);

    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("transcriptProblem"));
    m_problem->setWordWrap(true);
    Style::apply(m_problem, Style::Text::caption, Style::secondary(this));
    m_problem->hide();
    layout->addWidget(m_problem);

    auto* form = new QFormLayout;
    m_language = new QComboBox(this);
    m_language->setObjectName(QStringLiteral("transcriptLanguage"));
    const std::vector<SynthesisLanguage> voices = synthesisLanguages();
    for (const SynthesisLanguage& voice : voices)
        m_language->addItem(voice.name, voice.code);
    m_language->setCurrentIndex(int(voiceFor(voices, language)));
    form->addRow(tr("Language"), m_language);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton* open = buttons->addButton(tr("Open File…"), QDialogButtonBox::ActionRole);
    m_align = buttons->addButton(tr("Align"), QDialogButtonBox::AcceptRole);
    m_align->setDefault(true);
    m_align->setEnabled(false);
    layout->addWidget(buttons);

    connect(open, &QPushButton::clicked, this, &TranscriptDialog::openFile);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_text, &QPlainTextEdit::textChanged, this,
            [this] { m_align->setEnabled(!m_text->toPlainText().trimmed().isEmpty()); });
    if (voices.empty()) {
        m_problem->setText(tr("No voice to read a transcript with was found: "
                              "espeak-ng’s voices are missing."));
        m_problem->show();
    }
}

Transcript TranscriptDialog::transcript() const {
    const QString text = m_text->toPlainText();
    const bool fromFile = !m_fileName.isEmpty() && text == m_fileText;
    return {text, QString(), m_language->currentData().toString(),
            fromFile ? m_fileName : tr("pasted text")};
}

qsizetype TranscriptDialog::voiceFor(const std::vector<SynthesisLanguage>& voices,
                                     const QString& language) {
    const QString wanted = QString(language).replace(u'_', u'-').toLower();
    const QString bare = wanted.section(u'-', 0, 0);
    for (const QString& code : {wanted, bare}) {
        const auto found = std::find_if(voices.begin(), voices.end(), [&](const auto& voice) {
            return voice.code.toLower() == code;
        });
        if (found != voices.end())
            return qsizetype(found - voices.begin());
    }
    const auto dialect = std::find_if(voices.begin(), voices.end(), [&](const auto& voice) {
        return voice.code.toLower().startsWith(bare + u'-');
    });
    return dialect == voices.end() ? 0 : qsizetype(dialect - voices.begin());
}

void TranscriptDialog::openFile() {
    const QString path = QFileDialog::getOpenFileName(this, tr("Open a Transcript"), m_folder,
                                                      tr("Text files (*.txt);;All files (*)"));
    if (path.isEmpty())
        return;
    try {
        m_fileText = readTranscriptFile(path);
    } catch (const std::exception& error) {
        m_problem->setText(describe(error));
        m_problem->show();
        return;
    }
    m_problem->hide();
    m_fileName = QFileInfo(path).fileName();
    m_text->setPlainText(m_fileText);
}
