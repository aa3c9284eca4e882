#include "ui/ReducedMotion.h"

#include "base/LogCategories.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

namespace ReducedMotion {

namespace {

// A gsettings that hangs (no session bus) must not hold up the window.
constexpr int gsettingsTimeoutMs = 500;

bool fromSystemGsettings() {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (program.isEmpty())
        return false;
    QProcess process;
    process.start(program, {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.interface"),
                            QStringLiteral("enable-animations")});
    if (!process.waitForFinished(gsettingsTimeoutMs)) {
        qCDebug(lcUi) << "gsettings didn't answer within" << gsettingsTimeoutMs
                      << "ms; animations stay on";
        process.kill();
        process.waitForFinished(gsettingsTimeoutMs);
        return false;
    }
    return process.exitCode() == 0 && fromGsettings(process.readAllStandardOutput());
}

QString configFile(const QString& name) {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(name);
}

bool isOff(const QVariant& value) {
    const QString text = value.toString().trimmed().toLower();
    return text == QLatin1String("0") || text == QLatin1String("false");
}

} // namespace

bool fromGsettings(const QByteArray& answer) {
    return answer.trimmed() == QByteArrayLiteral("false");
}

bool fromGtkSettings(const QString& settingsIni) {
    if (!QFileInfo::exists(settingsIni))
        return false;
    const QSettings settings(settingsIni, QSettings::IniFormat);
    const QVariant value = settings.value(QStringLiteral("Settings/gtk-enable-animations"));
    return value.isValid() && isOff(value);
}

bool fromKdeGlobals(const QString& kdeglobals) {
    if (!QFileInfo::exists(kdeglobals))
        return false;
    const QSettings settings(kdeglobals, QSettings::IniFormat);
    const QVariant value = settings.value(QStringLiteral("KDE/AnimationDurationFactor"));
    return value.isValid() && value.toDouble() == 0.0;
}

bool desktop() {
    static const bool reduced =
        fromGtkSettings(configFile(QStringLiteral("gtk-3.0/settings.ini"))) ||
        fromGtkSettings(configFile(QStringLiteral("gtk-4.0/settings.ini"))) ||
        fromKdeGlobals(configFile(QStringLiteral("kdeglobals"))) || fromSystemGsettings();
    return reduced;
}

} // namespace ReducedMotion
