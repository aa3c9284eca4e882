#pragma once

#include <QString>

#include <optional>

// Asks the user for one media file to open. The model shows it through this interface, given to
// it by whoever creates it: the application passes a file dialog (ui/FileDialogChooser.h), tests
// answer in its place. Called on the main thread.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The chosen file's path, or nothing when the user cancelled.
    virtual std::optional<QString> chooseMediaFile(const QString& message) = 0;
};
