#pragma once

#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>

class AppModel;
class ContentView;
class PracticeCommands;

// The application: the main window with its menus and the settings window over the one model,
// and the desktop's events (files to open, launch finished, quitting) turned into model calls.
class QuellinApp final : public QObject {
    Q_OBJECT

public:
    struct Options {
        // Starts a manual update check; the shared updater's when empty.
        std::function<void()> checkForUpdates;
        // Shows a folder in the file manager (the settings window); the desktop's when empty.
        std::function<void(const QUrl&)> reveal;
    };

    explicit QuellinApp(AppModel& model, Options options = {}, QObject* parent = nullptr);
    ~QuellinApp() override;

    ContentView& window() const { return *m_window; }
    PracticeCommands& commands() const { return *m_commands; }
    // The settings window, once it was shown.
    QWidget* settingsWindow() const { return m_settings; }

    // Files handed over by the desktop, at launch or later: the first opens, the others are
    // ignored; none only brings the window forward.
    void openFiles(const QStringList& files);
    void showSettings();
    // File ▸ Export… for the open session, and the review of hard sentences across files.
    void showExport();
    void showReview();
    void showAbout();
    // Help ▸ Keyboard Shortcuts: every menu item's keys.
    void showShortcuts();
    // Launching has finished: the updater starts its automatic checks.
    void didFinishLaunching();
    // The application is about to end: stop what plays or records, then save the session.
    void willTerminate();

private:
    AppModel& m_model;
    Options m_options;
    std::unique_ptr<ContentView> m_window;
    PracticeCommands* m_commands;
    QPointer<QWidget> m_settings;
};
