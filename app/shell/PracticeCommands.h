#pragma once

#include <QKeySequence>
#include <QObject>

#include <functional>

class AppModel;
class QAction;
class QMenu;
class QMenuBar;

// The menu bar: File (open, add subtitles or a transcript, close, export, settings, quit), Edit
// (undo and redo, moving a sentence's edges, split, merge, its text), Practice (every practice
// operation with its shortcut, the review of hard sentences), View (whether the picture of a video
// shows) and Help. Today's items keep their Ctrl shortcuts; the practice steps also answer to
// single letters under the left hand (A previous, S loop/stop, D next, R record, C compare,
// H hard). Each item calls one model operation, or one of the shell's handlers for what is not
// the model's (settings window, export, review, update check, about box, quitting, the transcript
// dialog).
class PracticeCommands final : public QObject {
    Q_OBJECT

public:
    struct Handlers {
        std::function<void()> showSettings;
        std::function<void()> showExport;
        std::function<void()> showReview;
        std::function<void()> checkForUpdates;
        std::function<void()> showAbout;
        std::function<void()> quit;
        std::function<void()> addTranscript;    // File ▸ Add Transcript…
        std::function<void()> showLanguageMenu; // the toolbar's menu of where sentences come from
        std::function<void()> showShortcuts;    // Help ▸ Keyboard Shortcuts
        std::function<void()> editText;         // Edit ▸ Edit Text…, for the current sentence
    };

    PracticeCommands(AppModel& model, QMenuBar* bar, Handlers handlers);

    // The item with this title (as it reads now), searched through every menu; null if none.
    QAction* action(const QString& title) const;
    QMenu* fileMenu() const { return m_file; }
    QMenu* editMenu() const { return m_edit; }
    QMenu* practiceMenu() const { return m_practice; }
    QMenu* viewMenu() const { return m_view; }
    QMenu* helpMenu() const { return m_help; }
    QAction* loopAction() const { return m_loop; }
    QAction* closeAction() const { return m_close; }

    // The first Practice item's title for the model's phase.
    static QString loopTitle(bool idle);

private:
    QAction* add(QMenu* menu, const QString& title, const QKeySequence& shortcut,
                 std::function<void()> run);
    // Adds a letter that works the item while no text field has the focus (left hand on the
    // keyboard, right hand free).
    static void addOneHandKey(QAction* action, Qt::Key key);
    static void setTitle(QAction* action, const QString& title);
    // Edit: in EditCommands.cpp.
    void addEditMenu(QMenuBar* bar);
    void showPhase();
    void showSession();

    AppModel& m_model;
    Handlers m_handlers;
    QMenu* m_file;
    QMenu* m_edit;
    QMenu* m_practice;
    QMenu* m_view;
    QMenu* m_help;
    QAction* m_addSubtitles;
    QAction* m_addTranscript;
    QAction* m_close;
    QAction* m_export;
    QAction* m_loop;
    QAction* m_hardOnly;
    QAction* m_showPicture;
};
