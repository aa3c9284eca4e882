#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

#include <functional>

// The settings window's content: where sessions are kept, with a button that shows that folder
// in the file manager, and the manual update check.
class SettingsView final : public QWidget {
    Q_OBJECT

public:
    struct Actions {
        // Opens a folder in the file manager (QDesktopServices::openUrl when empty).
        std::function<void(const QUrl&)> reveal;
        // Starts a manual update check.
        std::function<void()> checkForUpdates;
    };

    SettingsView(QString sessionsFolder, Actions actions, QWidget* parent = nullptr);

    // Creates the sessions folder when it is missing (a failure is ignored: the file manager
    // then says what is wrong) and shows it in the file manager.
    void showSessionsFolder();

private:
    QString m_folder;
    Actions m_actions;
};
