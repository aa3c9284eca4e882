#pragma once

#include "subtitles/SubtitleTracks.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <optional>

// Asks the user for one media file to open, or for a subtitle file to add to it. The model shows it
// through this interface, given to it by whoever creates it: the application passes a file dialog
// (ui/FileDialogChooser.h), tests answer in its place. Called on the main thread.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The chosen file's path, or nothing when the user cancelled.
    virtual std::optional<QString> chooseMediaFile(const QString& message) = 0;
    // A subtitle file (one of `subtitlePatterns`), or nothing when the user cancelled.
    virtual std::optional<QString> chooseSubtitleFile(const QString& message) = 0;

    // The subtitle files Quellin reads (subtitleFilePatterns), by name.
    static QStringList subtitlePatterns() { return subtitleFilePatterns(); }
    static bool isSubtitleFile(const QString& path) {
        return QDir::match(subtitlePatterns(), QFileInfo(path).fileName());
    }
};
