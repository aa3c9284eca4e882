#include "shell/PracticeCommands.h"

#include "model/AppModel.h"
#include "ui/ShortcutsDialog.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

PracticeCommands::PracticeCommands(AppModel& model, QMenuBar* bar, Handlers handlers)
    : QObject(bar), m_model(model), m_handlers(std::move(handlers)) {
    m_file = bar->addMenu(tr("&File"));
    add(m_file, tr("Open Audio or Video…"), QKeySequence(QStringLiteral("Ctrl+O")),
        [this] { m_model.chooseFile(); });
    m_addSubtitles =
        add(m_file, tr("Add Subtitles…"), {}, [this] { m_model.chooseSubtitleFile(); });
    m_addTranscript = add(m_file, tr("Add Transcript…"), {}, [this] {
        if (m_handlers.addTranscript)
            m_handlers.addTranscript();
    });
    m_close = add(m_file, tr("Close File"), QKeySequence(QStringLiteral("Ctrl+Shift+W")),
                  [this] { m_model.close(); });
    m_file->addSeparator();
    m_export = add(m_file, tr("Export…"), QKeySequence(QStringLiteral("Ctrl+Shift+X")),
                   [this] { m_handlers.showExport(); });
    m_file->addSeparator();
    QAction* settings = add(m_file, tr("Settings…"), QKeySequence(QStringLiteral("Ctrl+,")),
                            [this] { m_handlers.showSettings(); });
    settings->setMenuRole(QAction::PreferencesRole);
    m_file->addSeparator();
    QAction* quit = add(m_file, tr("Quit"), QKeySequence(QStringLiteral("Ctrl+Q")),
                        [this] { m_handlers.quit(); });
    quit->setMenuRole(QAction::QuitRole);
    addEditMenu(bar);

    // Every Practice item stays enabled: an operation that does not apply (no session, no take)
    // does nothing, because the model checks its own preconditions.
    m_practice = bar->addMenu(tr("&Practice"));
    // Space belongs to the loop button; the item only names it.
    m_loop = add(m_practice, loopTitle(true), {}, [this] { m_model.loopOrStop(); });
    addOneHandKey(m_loop, Qt::Key_S);
    addOneHandKey(add(m_practice, tr("Previous Sentence"), QKeySequence(QStringLiteral("Ctrl+[")),
                      [this] { m_model.previous(); }),
                  Qt::Key_A);
    addOneHandKey(add(m_practice, tr("Next Sentence"), QKeySequence(QStringLiteral("Ctrl+]")),
                      [this] { m_model.next(); }),
                  Qt::Key_D);
    m_practice->addSeparator();
    addOneHandKey(add(m_practice, tr("Record Your Attempt"), QKeySequence(QStringLiteral("Ctrl+R")),
                      [this] { m_model.record(); }),
                  Qt::Key_R);
    addOneHandKey(add(m_practice, tr("Compare with the Original"),
                      QKeySequence(QStringLiteral("Ctrl+E")), [this] { m_model.compare(); }),
                  Qt::Key_C);
    add(m_practice, tr("Play Your Attempt"), QKeySequence(QStringLiteral("Ctrl+Shift+E")),
        [this] { m_model.playTake(); });
    m_practice->addSeparator();
    addOneHandKey(add(m_practice, tr("Mark Hard"), QKeySequence(QStringLiteral("Ctrl+D")),
                      [this] { m_model.toggleHard(); }),
                  Qt::Key_H);
    m_hardOnly =
        add(m_practice, tr("Hard Only"), QKeySequence(QStringLiteral("Ctrl+Shift+D")), [this] {
            if (m_model.session())
                m_model.setHardOnly(!m_model.session()->hardOnly);
        });
    m_hardOnly->setCheckable(true);
    add(m_practice, tr("Slower"), QKeySequence(QStringLiteral("Ctrl+-")),
        [this] { m_model.slower(); });
    add(m_practice, tr("Faster"), QKeySequence(QStringLiteral("Ctrl+=")),
        [this] { m_model.faster(); });
    add(m_practice, tr("Normal Speed"), QKeySequence(QStringLiteral("Ctrl+0")),
        [this] { m_model.normalSpeed(); });
    m_practice->addSeparator();
    add(m_practice, tr("Find Sentences Again"), {}, [this] { m_model.findSentencesAgain(); });
    add(m_practice, tr("Split at Pauses Only"), {}, [this] { m_model.splitAtPausesOnly(); });
    add(m_practice, tr("Choose Language…"), QKeySequence(QStringLiteral("Ctrl+L")), [this] {
        if (m_handlers.showLanguageMenu)
            m_handlers.showLanguageMenu();
    });
    m_practice->addSeparator();
    add(m_practice, tr("Review Hard Sentences…"), QKeySequence(QStringLiteral("Ctrl+Shift+R")),
        [this] { m_handlers.showReview(); });

    m_view = bar->addMenu(tr("&View"));
    m_showPicture = add(m_view, tr("Show Picture"), QKeySequence(QStringLiteral("Ctrl+Shift+P")),
                        [this] { m_model.setShowPicture(m_showPicture->isChecked()); });
    m_showPicture->setCheckable(true);

    m_help = bar->addMenu(tr("&Help"));
    add(m_help, tr("Keyboard Shortcuts"), QKeySequence(QStringLiteral("Ctrl+F1")), [this] {
        if (m_handlers.showShortcuts)
            m_handlers.showShortcuts();
    });
    add(m_help, tr("Check for Updates…"), {}, [this] { m_handlers.checkForUpdates(); });
    QAction* about = add(m_help, tr("About Quellin"), {}, [this] { m_handlers.showAbout(); });
    about->setMenuRole(QAction::AboutRole);

    connect(&m_model, &AppModel::phaseChanged, this, &PracticeCommands::showPhase);
    connect(&m_model, &AppModel::sessionChanged, this, &PracticeCommands::showSession);
    connect(&m_model, &AppModel::showPictureChanged, this,
            [this] { m_showPicture->setChecked(m_model.showPicture()); });
    m_showPicture->setChecked(m_model.showPicture());
    showPhase();
    showSession();
}

QAction* PracticeCommands::add(QMenu* menu, const QString& title, const QKeySequence& shortcut,
                               std::function<void()> run) {
    QAction* action = menu->addAction(title);
    action->setShortcut(shortcut);
    action->setMenuRole(QAction::NoRole);
    connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
    return action;
}

// A single letter is a shortcut only while no text field has the focus: a focused line edit,
// spin box or editable combo box accepts the key's shortcut override, and a dialog is a window of
// its own, where the main window's shortcuts do not reach.
void PracticeCommands::addOneHandKey(QAction* action, Qt::Key key) {
    action->setShortcuts(action->shortcuts() << QKeySequence(key));
    setTitle(action, ShortcutsDialog::itemTitle(action));
}

void PracticeCommands::setTitle(QAction* action, const QString& title) {
    // The menu shows only the first shortcut by itself; text after a tab fills the shortcut
    // column instead, so an item names every key that works it.
    const QList<QKeySequence> keys = action->shortcuts();
    action->setText(keys.size() < 2 ? title : title + u'\t' + ShortcutsDialog::keysText(keys));
}

QAction* PracticeCommands::action(const QString& title) const {
    for (const QMenu* menu : {m_file, m_edit, m_practice, m_view, m_help})
        for (QAction* action : menu->actions())
            if (ShortcutsDialog::itemTitle(action) == title)
                return action;
    return nullptr;
}

QString PracticeCommands::loopTitle(bool idle) {
    return idle ? tr("Loop Sentence (Space)") : tr("Stop");
}

void PracticeCommands::showPhase() {
    setTitle(m_loop, loopTitle(m_model.phase().kind == AppModel::Phase::Kind::idle));
}

void PracticeCommands::showSession() {
    m_close->setEnabled(m_model.session().has_value());
    m_export->setEnabled(m_model.session().has_value());
    m_addSubtitles->setEnabled(m_model.session().has_value());
    m_addTranscript->setEnabled(m_model.session().has_value());
    m_hardOnly->setChecked(m_model.session() && m_model.session()->hardOnly);
}
