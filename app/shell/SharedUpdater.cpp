#include "shell/UpdatePrompts.h"
#include "shell/Updater.h"

#include "base/Locations.h"

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
        // Beside the application's other preferences.
        static const std::unique_ptr<QSettings> settings = Locations::userSettings();
        Options options;
        options.feed = QUrl(QStringLiteral(QUELLIN_UPDATE_FEED));
        options.settings = settings.get();
        instance = new Updater(options, std::make_unique<MessageBoxPrompts>(),
                               QCoreApplication::instance());
    }
    return *instance;
}
