#pragma once

#include "model/AppModel.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>

class PracticeView;
class QMimeData;
class QSplitter;
class QStackedWidget;
class SentenceList;
class StartView;
class Toolbar;

// The main window's content: the start screen while no file is open, else the sentence list
// beside the practice view with the toolbar. Files dropped on it open (the first of them; a
// subtitle or .txt file is added to the open file instead), and it shows the model's error and the
// microphone alert.
class ContentView final : public QMainWindow {
    Q_OBJECT

public:
    explicit ContentView(AppModel& model, QWidget* parent = nullptr);

    // The window title: the open file's name, else "Quellin".
    static QString title(const std::optional<Session>& session);
    // The file a drop opens: the first URL when it is a local file.
    static std::optional<QString> droppedFile(const QMimeData* data);
    // A subtitle track or transcript as the language menu lists it: "Spanish · talk.es.srt",
    // or its source alone when its language is unknown.
    static QString textTitle(const QString& language, const QString& source);
    // File ▸ Add Transcript…: asks for the open file's transcript, then has it aligned.
    void showTranscriptDialog();
    // Edit ▸ Edit Text… for the sentence at `index`, the current one when none.
    void showTextEditor(std::optional<qsizetype> index = std::nullopt);
    // The desktop's sound settings, when a known program for them is installed.
    static QStringList soundSettingsCommand();

    // Size, position, maximised state and the sentence list's width, as the user left them, in
    // the model's preferences (ContentViewPlacement.cpp). Restore before the window first shows;
    // nothing saved leaves the defaults. Saved when the window closes and when the application
    // quits (only with the model's `persist`); the list's width only while it is on screen.
    void restorePlacement();
    void savePlacement() const;

    StartView* startView() const { return m_start; }
    QSplitter* splitter() const { return m_split; }
    SentenceList* sentenceList() const { return m_list; }
    PracticeView* practiceView() const { return m_practice; }
    Toolbar* toolbar() const { return m_toolbar; }
    QMessageBox* errorAlert() const { return m_errorAlert; }
    QMessageBox* microphoneAlert() const { return m_micAlert; }

Q_SIGNALS:
    // The start screen's link to the hard sentences due for review.
    void reviewRequested();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showSession();
    void showRecent();
    void showSplitting();
    void showLanguages();
    void showSubtitleTracks();
    void showTranscripts();
    // The menu's checked item and the button's text: the track or transcript in use, else the
    // language.
    void showLanguage();
    void showError();
    void showMicrophoneAlert();

    AppModel& m_model;
    QStackedWidget* m_pages;
    StartView* m_start;
    QSplitter* m_split;
    SentenceList* m_list;
    PracticeView* m_practice;
    Toolbar* m_toolbar;
    QPointer<QMessageBox> m_errorAlert;
    QPointer<QMessageBox> m_micAlert;
};
