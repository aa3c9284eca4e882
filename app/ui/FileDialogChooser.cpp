#include "ui/FileDialogChooser.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMimeDatabase>
#include <QStringList>

namespace {

// Every file name pattern of the audio and video types the system knows, audio first.
QString mediaFilter() {
    QStringList patterns;
    for (const QString& prefix : {QStringLiteral("audio/"), QStringLiteral("video/")}) {
        for (const QMimeType& type : QMimeDatabase().allMimeTypes()) {
            if (!type.name().startsWith(prefix))
                continue;
            for (const QString& pattern : type.globPatterns())
                if (!patterns.contains(pattern))
                    patterns.append(pattern);
        }
    }
    return QCoreApplication::translate("FileDialogChooser", "Audio and video files (%1)")
        .arg(patterns.join(u' '));
}

std::optional<QString> chooseOne(const QString& message, const QString& filter) {
    QFileDialog dialog(nullptr, message);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilter(filter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> FileDialogChooser::chooseMediaFile(const QString& message) {
    return chooseOne(message, mediaFilter());
}

std::optional<QString> FileDialogChooser::chooseSubtitleFile(const QString& message) {
    return chooseOne(message, QCoreApplication::translate("FileDialogChooser", "Subtitles (%1)")
                                  .arg(subtitlePatterns().join(u' ')));
}
