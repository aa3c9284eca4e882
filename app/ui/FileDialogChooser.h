#pragma once

#include "model/FileChooser.h"

#include <QPointer>
#include <QWidget>

#include <functional>

// The application's chooser: a file dialog of the main window, modal to it, showing audio and
// video files or subtitle files (or, when asked, all files), starting in the folder of the last
// file opened. Main thread.
class FileDialogChooser final : public FileChooser {
public:
    // The window the dialogs belong to, and where the last file opened lies (empty: none yet).
    // Before this is called the dialogs stand alone and start where the desktop says.
    void attach(QWidget* window, std::function<QString()> lastFile);

    std::optional<QString> chooseMediaFile(const QString& message) override;
    std::optional<QString> chooseSubtitleFile(const QString& message) override;

private:
    std::optional<QString> chooseOne(const QString& message, const QString& filter) const;

    QPointer<QWidget> m_window;
    std::function<QString()> m_lastFile;
};
