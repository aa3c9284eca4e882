#include "ui/ShortcutsDialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMenu>
#include <QTreeWidget>
#include <QVBoxLayout>

ShortcutsDialog::ShortcutsDialog(const QList<QMenu*>& menus, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("keyboardShortcuts"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Keyboard Shortcuts"));
    auto* layout = new QVBoxLayout(this);
    m_list = new QTreeWidget(this);
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({tr("Command"), tr("Keys")});
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setFocusPolicy(Qt::StrongFocus);
    for (const QMenu* menu : menus) {
        auto* heading = new QTreeWidgetItem(m_list, {menu->title().remove(u'&')});
        heading->setFirstColumnSpanned(true);
        QFont bold = heading->font(0);
        bold.setBold(true);
        heading->setFont(0, bold);
        for (const QAction* action : menu->actions()) {
            if (action->shortcuts().isEmpty())
                continue;
            new QTreeWidgetItem(m_list,
                                {itemTitle(action).remove(u'&'), keysText(action->shortcuts())});
        }
    }
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_list->header()->setStretchLastSection(true);
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(520, 560);
}

QString ShortcutsDialog::keysText(const QList<QKeySequence>& keys) {
    QStringList texts;
    for (const QKeySequence& key : keys)
        texts.append(key.toString(QKeySequence::NativeText));
    return texts.join(QStringLiteral(", "));
}

QString ShortcutsDialog::itemTitle(const QAction* action) {
    return action->text().section(u'\t', 0, 0);
}
