#include "shell/LaunchFiles.h"

#include <QDir>
#include <QRegularExpression>
#include <QUrl>

namespace LaunchFiles {

QStringList fromArguments(const QStringList& arguments, const QString& workingFolder) {
    QStringList files;
    bool options = true;
    for (const QString& argument : arguments) {
        if (options && argument == QLatin1String("--")) {
            options = false;
            continue;
        }
        if (argument.isEmpty() || (options && argument.startsWith(QLatin1Char('-'))))
            continue;
        QString path = argument;
        static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
        if (scheme.match(argument).hasMatch()) {
            // Only local files open; other URLs name nothing on this computer.
            const QUrl url(argument);
            if (!url.isLocalFile())
                continue;
            path = url.toLocalFile();
        }
        files.append(QDir::cleanPath(QDir(workingFolder).absoluteFilePath(path)));
    }
    return files;
}

} // namespace LaunchFiles
