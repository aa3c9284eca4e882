#pragma once

#include "model/FileChooser.h"

// The application's chooser: a modal file dialog showing only audio and video files, or only
// subtitle files. Main thread.
class FileDialogChooser final : public FileChooser {
public:
    std::optional<QString> chooseMediaFile(const QString& message) override;
    std::optional<QString> chooseSubtitleFile(const QString& message) override;
};
