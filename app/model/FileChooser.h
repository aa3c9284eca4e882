#pragma once

#include <QString>

#include <optional>

// Asks the user for one media file to open. The model shows it through this interface so that
// tests can answer in its place.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The chosen file's path, or nothing when the user cancelled.
    virtual std::optional<QString> chooseMediaFile(const QString& message) = 0;
};

// The application's chooser: a modal file dialog showing audio and video files only.
class FileDialogChooser final : public FileChooser {
public:
    std::optional<QString> chooseMediaFile(const QString& message) override;
};
