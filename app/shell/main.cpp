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

    const QStringList files =
        LaunchFiles::fromArguments(QApplication::arguments().mid(1), QDir::currentPath());
    SingleInstance instance;
    if (instance.start(files) == SingleInstance::Role::handedOver)
        return 0;

    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, &application, &QApplication::quit);

    AppModel::Services services;
    services.fileChooser = std::make_unique<FileDialogChooser>();
    AppModel model(SessionStore::standard(), true, std::move(services));
    QuellinApp quellin(model);
    QObject::connect(&instance, &SingleInstance::filesReceived, &quellin, &QuellinApp::openFiles);
    QObject::connect(&application, &QApplication::aboutToQuit, &quellin,
                     &QuellinApp::willTerminate);
    quellin.openFiles(files);
    QTimer::singleShot(0, &quellin, &QuellinApp::didFinishLaunching);
    return QApplication::exec();
}
