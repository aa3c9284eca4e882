#include "ui/SettingsView.h"

#include "base/LogCategories.h"
#include "ui/Style.h"

#include <QDesktopServices>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The style's buttons hug their titles; these two stand alone and get room to breathe.
void giveRoom(QPushButton* button) {
    button->setMinimumSize(button->sizeHint() + QSize(24, 8));
}

} // namespace

SettingsView::SettingsView(QString sessionsFolder, Actions actions, QWidget* parent)
    : QWidget(parent), m_folder(std::move(sessionsFolder)), m_actions(std::move(actions)) {
    setFixedWidth(520);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(16);

    auto* sessions = new QGroupBox(tr("Your sessions"), this);
    auto* sessionsLayout = new QVBoxLayout(sessions);
    sessionsLayout->setSpacing(10);
    auto* where = new QLabel(tr("Sentences, your place, hard marks and recordings are kept on this "
                                "computer only. Recognition runs on-device; nothing is uploaded."),
                             sessions);
    where->setObjectName(QStringLiteral("sessionsText"));
    where->setWordWrap(true);
    Style::apply(where, Style::Text::callout, Style::secondary(this));
    sessionsLayout->addWidget(where);
    auto* show = new QPushButton(tr("Show in File Manager"), sessions);
    show->setObjectName(QStringLiteral("showSessions"));
    show->setToolTip(QDir::toNativeSeparators(m_folder));
    connect(show, &QPushButton::clicked, this, &SettingsView::showSessionsFolder);
    giveRoom(show);
    sessionsLayout->addWidget(show, 0, Qt::AlignLeft);
    layout->addWidget(sessions);

    auto* updates = new QGroupBox(tr("Updates"), this);
    auto* updatesLayout = new QVBoxLayout(updates);
    auto* check = new QPushButton(tr("Check for Updates…"), updates);
    check->setObjectName(QStringLiteral("checkForUpdates"));
    connect(check, &QPushButton::clicked, this, [this] {
        if (m_actions.checkForUpdates)
            m_actions.checkForUpdates();
    });
    giveRoom(check);
    updatesLayout->addWidget(check, 0, Qt::AlignLeft);
    layout->addWidget(updates);
    layout->addStretch();
}

void SettingsView::showSessionsFolder() {
    if (!QDir().mkpath(m_folder))
        qCDebug(lcUi) << "couldn't create" << m_folder;
    const QUrl url = QUrl::fromLocalFile(m_folder);
    if (m_actions.reveal)
        m_actions.reveal(url);
    else if (!QDesktopServices::openUrl(url))
        qCDebug(lcUi) << "the desktop couldn't open" << url;
}
