#pragma once

#include <QPointer>
#include <QString>
#include <QToolBar>

#include <optional>
#include <vector>

class QAction;
class QActionGroup;
class QMenu;
class QToolButton;

// The practice window's toolbar: the menu of where sentences come from (the file's subtitle
// tracks and transcripts, the recognition languages, "Find Sentences Again" and "Split at Pauses
// Only") and the hard-only toggle. None of its controls is ever disabled; only subtitle tracks
// that cannot give text are, with their reason.
class Toolbar final : public QToolBar {
    Q_OBJECT

public:
    struct Language {
        QString id;
        QString name;
        bool onDevice = false;
        bool operator==(const Language&) const = default;
    };
    // A subtitle track or a transcript.
    struct TextSource {
        QString title;                   // "Spanish · talk.es.srt"
        std::optional<QString> unusable; // why it cannot give text
        bool operator==(const TextSource&) const = default;
    };

    explicit Toolbar(QWidget* parent = nullptr);

    // The recognition languages, and the one in use with its display name. The menu is rebuilt
    // only when the list changed.
    void setLanguages(const std::vector<Language>& languages);
    void setLanguage(const QString& id, const QString& name);
    // The subtitle tracks, listed first, and the transcripts after them. The menu is rebuilt
    // only when a list changed.
    void setSubtitleTracks(const std::vector<TextSource>& tracks);
    void setTranscripts(const std::vector<TextSource>& transcripts);
    // The sentences came from the track or transcript at `index`; `text` names it on the
    // button. Checked until another is.
    void setSubtitleTrack(qsizetype index, const QString& text);
    void setTranscript(qsizetype index, const QString& text);
    // The sentences came from text no longer listed: `text` names it, nothing is checked.
    void setUnlistedText(const QString& text);
    void setHardOnly(bool on);
    // Opens the language menu under its button (Practice ▸ Choose Language…), while the toolbar
    // shows.
    void popUpLanguageMenu();

    QToolButton* languageButton() const { return m_languageButton; }
    QMenu* languageMenu() const { return m_languageMenu; }
    QAction* hardOnlyAction() const { return m_hardOnly; }

Q_SIGNALS:
    // A language was chosen, also when it is the one already in use.
    void languageChosen(const QString& id);
    // A usable subtitle track was chosen (its index), also when it is the one in use.
    void subtitleTrackChosen(qsizetype index);
    void addSubtitlesRequested();
    void transcriptChosen(qsizetype index);
    void addTranscriptRequested();
    void findSentencesAgainRequested();
    void splitAtPausesOnlyRequested();
    void hardOnlyChosen(bool on);

private:
    void rebuildMenu();
    // A section of text sources: their items (keyed `prefix`/index), then `addTitle`.
    void addTextSection(const QString& heading, const QString& prefix,
                        const std::vector<TextSource>& items, void (Toolbar::*chosen)(qsizetype),
                        const QString& addTitle, void (Toolbar::*add)());
    // Checks the item whose key is `key` (a language's id or a track's key) and no other.
    void check(const QString& key, const QString& text);

    std::vector<Language> m_languages;
    std::vector<TextSource> m_tracks;
    std::vector<TextSource> m_transcripts;
    QString m_checked;
    QToolButton* m_languageButton;
    QMenu* m_languageMenu;
    QActionGroup* m_languageGroup = nullptr;
    QPointer<QMenu> m_notOnDevice;
    QAction* m_hardOnly;
};
