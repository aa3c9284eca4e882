#include "ui/Toolbar.h"

#include "ui/Symbols.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QSignalBlocker>
#include <QToolButton>
#include <QWidget>

namespace {

// The keys of tracks and transcripts among the checkable items; language ids hold no slash.
const QString subtitlesPrefix = QStringLiteral("subtitles/");
const QString transcriptPrefix = QStringLiteral("transcript/");

} // namespace

Toolbar::Toolbar(QWidget* parent) : QToolBar(parent) {
    setObjectName(QStringLiteral("practiceToolbar"));
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setIconSize(QSize(18, 18));

    // The practice controls sit at the trailing end, as primary actions do.
    auto* spacer = new QWidget(this);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    addWidget(spacer);

    m_languageButton = new QToolButton(this);
    m_languageButton->setObjectName(QStringLiteral("languageMenu"));
    m_languageButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_languageButton->setPopupMode(QToolButton::InstantPopup);
    m_languageButton->setIcon(Symbols::icon(QStringLiteral("text.bubble")));
    m_languageButton->setToolTip(
        tr("Where the sentences come from: the file’s subtitles, or on-device speech "
           "recognition in the language spoken in it"));
    m_languageMenu = new QMenu(m_languageButton);
    m_languageMenu->setToolTipsVisible(true); // unusable tracks say why
    m_languageButton->setMenu(m_languageMenu);
    addWidget(m_languageButton);

    m_hardOnly = addAction(Symbols::icon(QStringLiteral("star")), tr("Hard Only"));
    m_hardOnly->setObjectName(QStringLiteral("hardOnly"));
    m_hardOnly->setCheckable(true);
    m_hardOnly->setToolTip(tr("Practise only the sentences marked hard"));
    connect(m_hardOnly, &QAction::triggered, this, &Toolbar::hardOnlyChosen);

    rebuildMenu();
}

void Toolbar::setLanguages(const std::vector<Language>& languages) {
    if (languages == m_languages)
        return;
    m_languages = languages;
    rebuildMenu();
}

void Toolbar::setSubtitleTracks(const std::vector<TextSource>& tracks) {
    if (tracks == m_tracks)
        return;
    m_tracks = tracks;
    rebuildMenu();
}

void Toolbar::setTranscripts(const std::vector<TextSource>& transcripts) {
    if (transcripts == m_transcripts)
        return;
    m_transcripts = transcripts;
    rebuildMenu();
}

void Toolbar::setLanguage(const QString& id, const QString& name) {
    check(id, name.isEmpty() ? id : name);
}

void Toolbar::setSubtitleTrack(qsizetype index, const QString& text) {
    check(subtitlesPrefix + QString::number(index), text);
}

void Toolbar::setTranscript(qsizetype index, const QString& text) {
    check(transcriptPrefix + QString::number(index), text);
}

void Toolbar::setUnlistedText(const QString& text) {
    check(QString(), text);
}

void Toolbar::check(const QString& key, const QString& text) {
    m_checked = key;
    m_languageButton->setText(text);
    for (QAction* action : m_languageMenu->actions())
        if (action->isCheckable())
            action->setChecked(action->data().toString() == key);
}

void Toolbar::setHardOnly(bool on) {
    const QSignalBlocker block(m_hardOnly);
    m_hardOnly->setChecked(on);
    m_hardOnly->setIcon(Symbols::icon(on ? QStringLiteral("star.fill") : QStringLiteral("star")));
}

void Toolbar::rebuildMenu() {
    m_languageMenu->clear();
    // The group and the sub-menu are children of the menu, which clearing leaves in place.
    delete m_languageGroup;
    delete m_notOnDevice;
    m_languageGroup = new QActionGroup(m_languageMenu);
    m_languageGroup->setExclusive(true);
    addTextSection(tr("Subtitles"), subtitlesPrefix, m_tracks, &Toolbar::subtitleTrackChosen,
                   tr("Add Subtitles…"), &Toolbar::addSubtitlesRequested);
    addTextSection(tr("Transcript"), transcriptPrefix, m_transcripts, &Toolbar::transcriptChosen,
                   tr("Add Transcript…"), &Toolbar::addTranscriptRequested);
    m_languageMenu->addSection(tr("Language"));
    for (const Language& language : m_languages) {
        if (language.onDevice) {
            QAction* action = m_languageMenu->addAction(language.name);
            action->setCheckable(true);
            action->setChecked(language.id == m_checked);
            action->setData(language.id);
            m_languageGroup->addAction(action);
            connect(action, &QAction::triggered, this,
                    [this, id = language.id] { Q_EMIT languageChosen(id); });
        } else {
            if (!m_notOnDevice) {
                m_notOnDevice = new QMenu(tr("Not on This Computer Yet"), m_languageMenu);
                m_notOnDevice->setObjectName(QStringLiteral("notOnDevice"));
            }
            QAction* action = m_notOnDevice->addAction(language.name);
            action->setData(language.id);
            connect(action, &QAction::triggered, this,
                    [this, id = language.id] { Q_EMIT languageChosen(id); });
        }
    }
    if (m_notOnDevice)
        m_languageMenu->addMenu(m_notOnDevice);
    m_languageMenu->addSeparator();
    m_languageMenu->addAction(tr("Find Sentences Again"), this,
                              &Toolbar::findSentencesAgainRequested);
    m_languageMenu->addAction(tr("Split at Pauses Only"), this,
                              &Toolbar::splitAtPausesOnlyRequested);
}

void Toolbar::addTextSection(const QString& heading, const QString& prefix,
                             const std::vector<TextSource>& items,
                             void (Toolbar::*chosen)(qsizetype), const QString& addTitle,
                             void (Toolbar::*add)()) {
    m_languageMenu->addSection(heading);
    for (qsizetype index = 0; index < qsizetype(items.size()); ++index) {
        const TextSource& item = items[size_t(index)];
        if (item.unusable) {
            QAction* action = m_languageMenu->addAction(tr("%1 — can’t be used").arg(item.title));
            action->setEnabled(false);
            action->setToolTip(*item.unusable);
            continue;
        }
        const QString key = prefix + QString::number(index);
        QAction* action = m_languageMenu->addAction(item.title);
        action->setCheckable(true);
        action->setData(key);
        action->setChecked(key == m_checked);
        m_languageGroup->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, chosen, index] { (this->*chosen)(index); });
    }
    m_languageMenu->addAction(addTitle, this, add);
}
