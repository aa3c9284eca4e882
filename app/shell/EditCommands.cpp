#include "shell/PracticeCommands.h"

#include "model/AppModel.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

// The Edit menu: the learner's fixes to the current sentence, and undoing them. Like the Practice
// items, the edits stay enabled and do nothing where they do not apply.
void PracticeCommands::addEditMenu(QMenuBar* bar) {
    m_edit = bar->addMenu(tr("&Edit"));
    // "Undo Move Start Earlier": the stack names the step and disables the item when there is
    // none.
    QAction* undo = m_model.edits().createUndoAction(m_edit);
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = m_model.edits().createRedoAction(m_edit);
    redo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
    m_edit->addActions({undo, redo});
    m_edit->addSeparator();

    using Edge = SentenceEdits::Edge;
    const auto nudge = [this](Edge edge, int steps) {
        return [this, edge, steps] { m_model.nudgeEdge(edge, steps); };
    };
    add(m_edit, tr("Move Start Earlier"), QKeySequence(QStringLiteral("Ctrl+Shift+Left")),
        nudge(Edge::start, -1));
    add(m_edit, tr("Move Start Later"), QKeySequence(QStringLiteral("Ctrl+Shift+Right")),
        nudge(Edge::start, 1));
    add(m_edit, tr("Move End Earlier"), QKeySequence(QStringLiteral("Alt+Shift+Left")),
        nudge(Edge::end, -1));
    add(m_edit, tr("Move End Later"), QKeySequence(QStringLiteral("Alt+Shift+Right")),
        nudge(Edge::end, 1));
    m_edit->addSeparator();
    add(m_edit, tr("Split Sentence"), QKeySequence(QStringLiteral("Ctrl+Shift+S")),
        [this] { m_model.splitSentence(); });
    add(m_edit, tr("Merge with Next"), QKeySequence(QStringLiteral("Ctrl+Shift+M")),
        [this] { m_model.mergeWithNext(); });
    add(m_edit, tr("Edit Text…"), QKeySequence(Qt::Key_F2), [this] {
        if (m_handlers.editText)
            m_handlers.editText();
    });
}
