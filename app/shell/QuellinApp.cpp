#include "shell/QuellinApp.h"

#include "model/AppModel.h"
#include "session/ReviewList.h"
#include "shell/PracticeCommands.h"
#include "shell/Updater.h"
#include "ui/ContentView.h"
#include "ui/ExportDialog.h"
#include "ui/ReviewView.h"
#include "ui/SettingsView.h"
#include "ui/ShortcutsDialog.h"
#include "ui/Toolbar.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QShortcut>
#include <QVBoxLayout>

QuellinApp::QuellinApp(AppModel& model, Options options, QObject* parent)
    : QObject(parent), m_model(model), m_options(std::move(options)) {
    if (!m_options.checkForUpdates)
        m_options.checkForUpdates = [] { Updater::shared().checkForUpdates(); };
    m_window = std::make_unique<ContentView>(m_model);
    m_window->setObjectName(QStringLiteral("main"));
    m_window->resize(1080, 700);
    m_commands = new PracticeCommands(
        m_model, m_window->menuBar(),
        {[this] { showSettings(); }, [this] { showExport(); }, [this] { showReview(); },
         m_options.checkForUpdates, [this] { showAbout(); }, [] { QApplication::quit(); },
         [this] { m_window->showTranscriptDialog(); },
         [this] { m_window->toolbar()->popUpLanguageMenu(); }, [this] { showShortcuts(); },
         [this] { m_window->showTextEditor(); }});
    connect(m_window.get(), &ContentView::reviewRequested, this, &QuellinApp::showReview);
    m_window->restorePlacement();
}

QuellinApp::~QuellinApp() {
    delete m_settings;
}

void QuellinApp::openFiles(const QStringList& files) {
    if (!files.isEmpty())
        m_model.open(files.first());
    // Handed over by a second start: a minimised window comes back as it was, maximised or not.
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void QuellinApp::showSettings() {
    if (!m_settings) {
        // A window of its own that never keeps the application running once the main window
        // has closed.
        m_settings = new QWidget(nullptr, Qt::Window);
        m_settings->setObjectName(QStringLiteral("settings"));
        m_settings->setAttribute(Qt::WA_QuitOnClose, false);
        m_settings->setWindowTitle(tr("Quellin Settings"));
        auto* layout = new QVBoxLayout(m_settings);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(new SettingsView(
            m_model.sessions().folder, {m_options.reveal, m_options.checkForUpdates}, m_settings));
        layout->setSizeConstraint(QLayout::SetFixedSize);
        auto* close = new QShortcut(QKeySequence::Cancel, m_settings);
        connect(close, &QShortcut::activated, m_settings, &QWidget::close);
    }
    m_settings->show();
    m_settings->raise();
    m_settings->activateWindow();
}

void QuellinApp::showExport() {
    if (!m_model.session())
        return;
    auto* dialog = new ExportDialog(*m_model.session(), m_model.sessions(), m_window.get());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void QuellinApp::showReview() {
    auto* review = new ReviewView(m_window.get());
    review->setAttribute(Qt::WA_DeleteOnClose);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    review->setItems(ReviewList::items(m_model.sessions().all(), now), now);
    connect(review, &ReviewView::sentenceChosen, this,
            [this](const QString& path, qint64 id) { m_model.openAt(path, id); });
    review->show();
}

void QuellinApp::showShortcuts() {
    // Every menu of the bar, also those that other parts of the window add to it.
    QList<QMenu*> menus;
    for (const QAction* action : m_window->menuBar()->actions())
        if (action->menu())
            menus.append(action->menu());
    auto* shortcuts = new ShortcutsDialog(menus, m_window.get());
    shortcuts->show();
}

void QuellinApp::showAbout() {
    QMessageBox::about(m_window.get(), tr("About Quellin"),
                       tr("<b>Quellin %1</b><p>Shadow any recording, one sentence at a "
                          "time.</p>")
                           .arg(QApplication::applicationVersion()));
}

void QuellinApp::didFinishLaunching() {
    Updater::shared().startAutomaticChecks();
}

void QuellinApp::willTerminate() {
    m_model.stop();
    m_model.save();
    m_window->savePlacement();
}
