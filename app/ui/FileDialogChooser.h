#pragma once

#include "model/FileChooser.h"

// The application's chooser: a modal file dialog showing audio and video files only. Main thread.
class FileDialogChooser final : public FileChooser {
public:
    std::optional<QString> chooseMediaFile(const QString& message) override;
};
