#include "ui/FileDialogChooser.h"

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
    return QStringLiteral("Audio and video files (%1)").arg(patterns.join(u' '));
}

} // namespace

std::optional<QString> FileDialogChooser::chooseMediaFile(const QString& message) {
    QFileDialog dialog(nullptr, message);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilter(mediaFilter());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
