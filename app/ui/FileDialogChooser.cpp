#include "ui/FileDialogChooser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
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

} // namespace

void FileDialogChooser::attach(QWidget* window, std::function<QString()> lastFile) {
    m_window = window;
    m_lastFile = std::move(lastFile);
}

std::optional<QString> FileDialogChooser::chooseOne(const QString& message,
                                                    const QString& filter) const {
    QFileDialog dialog(m_window, message);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The filters' names only: their hundreds of patterns would crowd the list out.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(
        {filter, QCoreApplication::translate("FileDialogChooser", "All files (*)")});
    const QString lastFile = m_lastFile ? m_lastFile() : QString();
    if (!lastFile.isEmpty() && QFileInfo(lastFile).dir().exists())
        dialog.setDirectory(QFileInfo(lastFile).dir());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> FileDialogChooser::chooseMediaFile(const QString& message) {
    return chooseOne(message, mediaFilter());
}

std::optional<QString> FileDialogChooser::chooseSubtitleFile(const QString& message) {
    return chooseOne(message, QCoreApplication::translate("FileDialogChooser", "Subtitles (%1)")
                                  .arg(subtitlePatterns().join(u' ')));
}
