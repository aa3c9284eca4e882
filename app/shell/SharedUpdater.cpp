#include "shell/UpdatePrompts.h"
#include "shell/Updater.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSettings>

#ifndef QUELLIN_UPDATE_FEED
#define QUELLIN_UPDATE_FEED ""
#endif

// The application's updater: the feed chosen at build time, alerts as message boxes.
Updater& Updater::shared() {
    static QPointer<Updater> instance;
    if (!instance) {
        // Beside the application's preferences ($XDG_CONFIG_HOME/Quellin/Quellin.conf): without
        // an organisation name the default QSettings would open a folder "Unknown Organization".
        static QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
                                  QStringLiteral("Quellin"), QStringLiteral("Quellin"));
        Options options;
        options.feed = QUrl(QStringLiteral(QUELLIN_UPDATE_FEED));
        options.settings = &settings;
        instance = new Updater(options, std::make_unique<MessageBoxPrompts>(),
                               QCoreApplication::instance());
    }
    return *instance;
}
