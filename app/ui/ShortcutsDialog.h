#pragma once

#include <QDialog>
#include <QList>

class QAction;
class QKeySequence;
class QMenu;
class QTreeWidget;

// Help ▸ Keyboard Shortcuts: every menu item that has keys, under its menu's name, with all of
// its keys. Read from the menus when it opens, so it lists what the items answer to, never a
// copy that could fall behind. Main thread; deletes itself when closed.
class ShortcutsDialog final : public QDialog {
    Q_OBJECT

public:
    ShortcutsDialog(const QList<QMenu*>& menus, QWidget* parent);

    QTreeWidget* list() const { return m_list; }

    // The keys of an item as its menu's shortcut column and this window show them.
    static QString keysText(const QList<QKeySequence>& keys);
    // The item's title: its text without the keys a menu item may carry after a tab, which fill
    // the menu's shortcut column where there is more than one.
    static QString itemTitle(const QAction* action);

private:
    QTreeWidget* m_list;
};
