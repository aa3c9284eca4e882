#include "base/Locations.h"

#include "media/StableHash.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace Locations {

namespace {

const QString applicationFolder = QStringLiteral("Quellin");

// The generic location, whatever names the running program has been given (quellin-cli and the
// window have different ones), or the XDG default below the home folder when Qt knows none.
QString generic(QStandardPaths::StandardLocation location, const QString& fallback) {
    const QString folder = QStandardPaths::writableLocation(location);
    return (folder.isEmpty() ? QDir::homePath() + fallback : folder) + u'/' + applicationFolder;
}

QString dataFolder() {
    return generic(QStandardPaths::GenericDataLocation, QStringLiteral("/.local/share"));
}

} // namespace

std::unique_ptr<QSettings> userSettings() {
    // Without an organisation name the default QSettings would open a folder
    // "Unknown Organization".
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       applicationFolder, applicationFolder);
}

std::optional<QString> savedLanguage(const QSettings& settings) {
    const QVariant saved = settings.value(languageKey);
    return saved.isValid() ? std::optional(saved.toString()) : std::nullopt;
}

QString sessionsFolder() {
    return dataFolder() + QStringLiteral("/Sessions");
}

QString modelFolder(const QString& language) {
    return dataFolder() + QStringLiteral("/Models/") + language;
}

QString canonicalMediaPath(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString mediaKey(const QString& path, qint64 size) {
    return StableHash::hex(path + u'|' + QString::number(size));
}

} // namespace Locations
