#pragma once

#include "align/SpeechSynthesis.h"
#include "speech/SentenceSource.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// File ▸ Add Transcript…: the text of the open file, pasted or read from a plain text file (in
// whatever encoding it is written), and the language to read it in: every language espeak-ng
// has a voice for, by name, the recognition language first chosen. Modal; main thread.
class TranscriptDialog final : public QDialog {
    Q_OBJECT

public:
    // `mediaPath`: the open file (its folder is where "Open File…" starts); `language`: the
    // recognition language.
    TranscriptDialog(const QString& mediaPath, const QString& language, QWidget* parent = nullptr);

    // The transcript as given. Its source is the file's name while the text is the file's as
    // read, else "pasted text".
    Transcript transcript() const;

    // The voice to offer for a recognition language ("en-US"): the same dialect, else the
    // language's own voice, else any of its dialects; 0 when none speaks it.
    static qsizetype voiceFor(const std::vector<SynthesisLanguage>& voices,
                              const QString& language);

    QPlainTextEdit* textBox() const { return m_text; }
    QComboBox* languageBox() const { return m_language; }

private:
    void openFile();

    QString m_folder;
    QPlainTextEdit* m_text;
    QComboBox* m_language;
    QLabel* m_problem;
    QPushButton* m_align;
    QString m_fileName; // the file the text was read from, while it is unchanged
    QString m_fileText;
};
