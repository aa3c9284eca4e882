#include "base/Translations.h"
#include "model/AppModel.h"
#include "session/SessionStore.h"
#include "shell/CommandLineHelp.h"
#include "shell/LaunchFiles.h"
#include "shell/QuellinApp.h"
#include "shell/QuitSignals.h"
#include "shell/SingleInstance.h"
#include "ui/ContentView.h"
#include "ui/FileDialogChooser.h"
#include "ui/Style.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

int main(int argc, char* argv[]) {
    if (const std::optional<int> answered = CommandLineHelp::answer(argc, argv, QUELLIN_VERSION))
        return *answered;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quellin"));
    QApplication::setApplicationVersion(QStringLiteral(QUELLIN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("quellin"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("quellin")));
    Translations::install();
    // Qt 6.4 takes no dark scheme from some desktops (GNOME): asked for, Quellin brings its own.
    if (qEnvironmentVariable("QUELLIN_COLOR_SCHEME") == QLatin1String("dark"))
        QApplication::setPalette(Style::darkPalette());

    const QStringList files =
        LaunchFiles::fromArguments(QApplication::arguments().mid(1), QDir::currentPath());
    SingleInstance instance;
    if (instance.start(files) == SingleInstance::Role::handedOver)
        return 0;

    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, &application, &QApplication::quit);

    AppModel::Services services;
    auto* chooser = new FileDialogChooser;
    services.fileChooser.reset(chooser);
    AppModel model(SessionStore::standard(), true, std::move(services));
    QuellinApp quellin(model);
    // The recent list is newest first, the file open now among it.
    chooser->attach(&quellin.window(), [&model] {
        return model.recent().empty() ? QString() : model.recent().front().filePath;
    });
    QObject::connect(&instance, &SingleInstance::filesReceived, &quellin, &QuellinApp::openFiles);
    QObject::connect(&application, &QApplication::aboutToQuit, &quellin,
                     &QuellinApp::willTerminate);
    quellin.openFiles(files);
    QTimer::singleShot(0, &quellin, &QuellinApp::didFinishLaunching);
    return QApplication::exec();
}
