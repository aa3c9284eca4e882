#include "ui/ContentView.h"

#include "base/LogCategories.h"
#include "model/FileChooser.h"
#include "speech/Transcriber.h"
#include "ui/Alerts.h"
#include "ui/PracticeView.h"
#include "ui/SentenceList.h"
#include "ui/SentenceTextDialog.h"
#include "ui/StartView.h"
#include "ui/Toolbar.h"
#include "ui/TranscriptDialog.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStandardPaths>

ContentView::ContentView(AppModel& model, QWidget* parent) : QMainWindow(parent), m_model(model) {
    setMinimumSize(860, 560);
    setAcceptDrops(true);
    setUnifiedTitleAndToolBarOnMac(true);

    m_pages = new QStackedWidget(this);
    m_start = new StartView(m_pages);
    m_pages->addWidget(m_start);
    m_split = new QSplitter(Qt::Horizontal, m_pages);
    m_split->setChildrenCollapsible(false);
    m_list = new SentenceList(m_model, m_split);
    m_list->setMinimumWidth(260);
    m_list->setMaximumWidth(460);
    m_practice = new PracticeView(m_model, m_split);
    m_split->addWidget(m_list);
    m_split->addWidget(m_practice);
    m_split->setStretchFactor(0, 0);
    m_split->setStretchFactor(1, 1);
    m_split->setSizes({320, 760});
    m_pages->addWidget(m_split);
    setCentralWidget(m_pages);

    m_toolbar = new Toolbar(this);
    addToolBar(Qt::TopToolBarArea, m_toolbar);
    m_toolbar->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu); // no menu to hide the toolbar

    connect(m_start, &StartView::openRequested, this, [this] { m_model.chooseFile(); });
    connect(m_start, &StartView::reviewRequested, this, &ContentView::reviewRequested);
    connect(m_start, &StartView::recentChosen, this, [this](int row) {
        if (row >= 0 && size_t(row) < m_model.recent().size())
            m_model.openRecent(m_model.recent()[size_t(row)]);
    });
    connect(m_start, &StartView::forgetRequested, this, [this](int row) {
        if (row < 0 || size_t(row) >= m_model.recent().size())
            return;
        m_model.sessions().delete_(m_model.recent()[size_t(row)].key);
        m_model.refreshRecent();
    });
    connect(m_toolbar, &Toolbar::languageChosen, this,
            [this](const QString& id) { m_model.recogniseIn(id); });
    connect(m_toolbar, &Toolbar::subtitleTrackChosen, this,
            [this](qsizetype index) { m_model.useSubtitleTrack(index); });
    connect(m_toolbar, &Toolbar::addSubtitlesRequested, this,
            [this] { m_model.chooseSubtitleFile(); });
    connect(m_toolbar, &Toolbar::transcriptChosen, this,
            [this](qsizetype index) { m_model.useTranscript(index); });
    connect(m_toolbar, &Toolbar::addTranscriptRequested, this, &ContentView::showTranscriptDialog);
    connect(m_list, &SentenceList::editTextRequested, this,
            [this](qsizetype index) { showTextEditor(index); });
    connect(m_toolbar, &Toolbar::findSentencesAgainRequested, this,
            [this] { m_model.findSentencesAgain(); });
    connect(m_toolbar, &Toolbar::splitAtPausesOnlyRequested, this,
            [this] { m_model.splitAtPausesOnly(); });
    connect(m_toolbar, &Toolbar::hardOnlyChosen, this,
            [this](bool on) { m_model.setHardOnly(on); });

    connect(&m_model, &AppModel::sessionChanged, this, &ContentView::showSession);
    connect(&m_model, &AppModel::recentChanged, this, &ContentView::showRecent);
    connect(&m_model, &AppModel::splittingChanged, this, &ContentView::showSplitting);
    connect(&m_model, &AppModel::openingProgressChanged, this, &ContentView::showSplitting);
    connect(&m_model, &AppModel::languageChanged, this, &ContentView::showLanguage);
    connect(&m_model, &AppModel::subtitleTracksChanged, this, &ContentView::showSubtitleTracks);
    connect(&m_model, &AppModel::transcriptsChanged, this, &ContentView::showTranscripts);
    connect(&m_model, &AppModel::errorChanged, this, &ContentView::showError);
    connect(&m_model, &AppModel::micDeniedChanged, this, &ContentView::showMicrophoneAlert);

    // A speech model put in place while the window is open moves its language into the picker.
    connect(m_toolbar->languageMenu(), &QMenu::aboutToShow, this, &ContentView::showLanguages);
    showLanguages();
    showSubtitleTracks();
    showTranscripts();
    showSession();
    showRecent();
    showSplitting();
    showError();
    showMicrophoneAlert();
}

QString ContentView::title(const std::optional<Session>& session) {
    return session ? session->fileName() : QStringLiteral("Quellin");
}

std::optional<QString> ContentView::droppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().isEmpty())
        return std::nullopt;
    const QUrl first = data->urls().first();
    if (!first.isLocalFile() || first.toLocalFile().isEmpty())
        return std::nullopt;
    return first.toLocalFile();
}

QStringList ContentView::soundSettingsCommand() {
    const QList<QStringList> known = {
        {QStringLiteral("gnome-control-center"), QStringLiteral("sound")},
        {QStringLiteral("systemsettings"), QStringLiteral("kcm_pulseaudio")},
        {QStringLiteral("pavucontrol"), QStringLiteral("--tab=4")},
    };
    for (const QStringList& command : known)
        if (!QStandardPaths::findExecutable(command.first()).isEmpty())
            return command;
    return {};
}

void ContentView::dragEnterEvent(QDragEnterEvent* event) {
    if (droppedFile(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void ContentView::dragMoveEvent(QDragMoveEvent* event) {
    if (droppedFile(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void ContentView::dropEvent(QDropEvent* event) {
    const std::optional<QString> file = droppedFile(event->mimeData());
    if (!file) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    if (FileChooser::isSubtitleFile(*file))
        m_model.addSubtitleFile(*file);
    else if (m_model.session() &&
             QFileInfo(*file).suffix().compare(u"txt", Qt::CaseInsensitive) == 0)
        m_model.addTranscript(transcriptFile(*file));
    else
        m_model.open(*file);
}

void ContentView::showSession() {
    const std::optional<Session>& session = m_model.session();
    const bool opened = session && m_pages->currentIndex() == 0;
    m_pages->setCurrentIndex(session ? 1 : 0);
    // The arrow keys move through the sentences as soon as a file is open.
    if (opened)
        m_list->listView()->setFocus();
    m_toolbar->setVisible(session.has_value());
    m_toolbar->setHardOnly(session && session->hardOnly);
    setWindowTitle(title(session));
    showSplitting();
    showLanguage();
}

void ContentView::showRecent() {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    std::vector<StartView::RecentItem> items;
    for (const SessionSummary& summary : m_model.recent())
        items.push_back(
            {summary.fileName(),
             StartView::detailLine(summary.current, summary.sentenceCount, summary.hardCount,
                                   summary.updatedAt, now, summary.practisedCount)});
    m_start->setRecent(items);
    m_start->setReviewDue(m_model.reviewDue());
}

void ContentView::showSplitting() {
    m_start->setOpening(m_model.splitting().kind == AppModel::Splitting::Kind::opening,
                        m_model.openingProgress());
}

void ContentView::showLanguages() {
    const Transcriber& transcriber = m_model.transcriber();
    std::vector<Toolbar::Language> languages;
    for (const Transcriber::Language& language : transcriber.languages())
        languages.push_back({language.id, language.name, transcriber.isOnDevice(language.id)});
    m_toolbar->setLanguages(languages);
}

void ContentView::showSubtitleTracks() {
    std::vector<Toolbar::TextSource> tracks;
    for (const SubtitleTrack& track : m_model.subtitleTracks())
        tracks.push_back({textTitle(track.language, track.source), track.unusable});
    m_toolbar->setSubtitleTracks(tracks);
    showLanguage();
}

void ContentView::showTranscripts() {
    std::vector<Toolbar::TextSource> transcripts;
    for (const Transcript& transcript : m_model.transcripts())
        transcripts.push_back({textTitle(transcript.language, transcript.source), std::nullopt});
    m_toolbar->setTranscripts(transcripts);
    showLanguage();
}

QString ContentView::textTitle(const QString& language, const QString& source) {
    const QString name = Transcriber::displayName(language);
    return name.isEmpty() ? source : name + QStringLiteral(" · ") + source;
}

void ContentView::showLanguage() {
    // "Subtitles (Spanish)", "Transcript (German)": the button names the language too.
    const auto named = [](const QString& kind, const QString& language) {
        const QString name = Transcriber::displayName(language);
        return name.isEmpty() ? kind : QStringLiteral("%1 (%2)").arg(kind, name);
    };
    if (const std::optional<qsizetype> track = m_model.subtitleTrackInUse())
        m_toolbar->setSubtitleTrack(
            *track, named(tr("Subtitles"), m_model.subtitleTracks()[size_t(*track)].language));
    else if (const std::optional<qsizetype> transcript = m_model.transcriptInUse())
        m_toolbar->setTranscript(
            *transcript, named(tr("Transcript"), m_model.session()->method.textSource()->language));
    else if (const auto text =
                 m_model.session() ? m_model.session()->method.textSource() : std::nullopt)
        // Text no longer listed (pasted before the file was last opened): named, not checked.
        m_toolbar->setUnlistedText(
            named(m_model.session()->method.isSubtitles() ? tr("Subtitles") : tr("Transcript"),
                  text->language));
    else
        m_toolbar->setLanguage(m_model.language(), Transcriber::displayName(m_model.language()));
}

void ContentView::showTranscriptDialog() {
    if (!m_model.session())
        return;
    TranscriptDialog dialog(m_model.session()->filePath, m_model.language(), this);
    if (dialog.exec() == QDialog::Accepted)
        m_model.addTranscript(dialog.transcript());
}

void ContentView::showTextEditor(std::optional<qsizetype> index) {
    const std::optional<Session>& session = m_model.session();
    const qsizetype at = index.value_or(session ? session->current : -1);
    if (!session || at < 0 || at >= qsizetype(session->sentences.size()))
        return;
    SentenceTextDialog dialog(session->sentences[size_t(at)], at + 1, this);
    if (dialog.exec() == QDialog::Accepted)
        m_model.editText(dialog.text(), at);
}

void ContentView::showError() {
    const std::optional<QString>& error = m_model.error();
    if (!error) {
        if (m_errorAlert)
            m_errorAlert->done(QMessageBox::Ok);
        return;
    }
    if (!m_errorAlert) {
        m_errorAlert = new QMessageBox(QMessageBox::Warning, tr("Something went wrong"),
                                       tr("Something went wrong"), QMessageBox::Ok, this);
        m_errorAlert->setObjectName(QStringLiteral("errorAlert"));
        m_errorAlert->setAttribute(Qt::WA_DeleteOnClose);
        m_errorAlert->setEscapeButton(QMessageBox::Ok);
        // However the alert goes away (OK, Escape, closing it), the error is cleared.
        connect(m_errorAlert, &QMessageBox::finished, this, [this] {
            m_errorAlert = nullptr;
            m_model.setError(std::nullopt);
        });
        // The message is in place before the alert sizes itself for showing.
        m_errorAlert->setInformativeText(*error);
        Alerts::fitMessage(m_errorAlert);
        m_errorAlert->open();
        return;
    }
    m_errorAlert->setInformativeText(*error);
    Alerts::fitMessage(m_errorAlert);
    m_errorAlert->adjustSize();
}

void ContentView::showMicrophoneAlert() {
    if (!m_model.micDenied()) {
        if (m_micAlert)
            m_micAlert->done(QMessageBox::Cancel);
        return;
    }
    if (m_micAlert)
        return;
    m_micAlert = new QMessageBox(QMessageBox::Information, tr("Microphone is off for Quellin"),
                                 tr("Microphone is off for Quellin"), QMessageBox::NoButton, this);
    m_micAlert->setObjectName(QStringLiteral("microphoneAlert"));
    m_micAlert->setAttribute(Qt::WA_DeleteOnClose);
    m_micAlert->setInformativeText(
        tr("To record your attempts, allow Quellin to use the microphone in your "
           "system’s sound and privacy settings."));
    Alerts::fitMessage(m_micAlert);
    const QStringList command = soundSettingsCommand();
    if (!command.isEmpty()) {
        QPushButton* open =
            m_micAlert->addButton(tr("Open Sound Settings"), QMessageBox::AcceptRole);
        connect(open, &QPushButton::clicked, this, [command] {
            if (!QProcess::startDetached(command.first(), command.mid(1)))
                qCDebug(lcUi) << "couldn't start" << command;
        });
    }
    QPushButton* notNow = m_micAlert->addButton(tr("Not Now"), QMessageBox::RejectRole);
    m_micAlert->setEscapeButton(notNow);
    connect(m_micAlert, &QMessageBox::finished, this, [this] {
        m_micAlert = nullptr;
        m_model.setMicDenied(false);
    });
    m_micAlert->open();
}
