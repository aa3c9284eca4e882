#pragma once

#include <QPointer>
#include <QString>
#include <QToolBar>

#include <vector>

class QAction;
class QActionGroup;
class QMenu;
class QToolButton;

// The practice window's toolbar: the language menu that drives speech recognition (with
// "Find Sentences Again" and "Split at Pauses Only") and the hard-only toggle. None of its
// controls is ever disabled.
class Toolbar final : public QToolBar {
    Q_OBJECT

public:
    struct Language {
        QString id;
        QString name;
        bool onDevice = false;
        bool operator==(const Language&) const = default;
    };

    explicit Toolbar(QWidget* parent = nullptr);

    // The recognition languages, and the one in use with its display name. The menu is rebuilt
    // only when the list changed.
    void setLanguages(const std::vector<Language>& languages);
    void setLanguage(const QString& id, const QString& name);
    void setHardOnly(bool on);

    QToolButton* languageButton() const { return m_languageButton; }
    QMenu* languageMenu() const { return m_languageMenu; }
    QAction* hardOnlyAction() const { return m_hardOnly; }

Q_SIGNALS:
    // A language was chosen, also when it is the one already in use.
    void languageChosen(const QString& id);
    void findSentencesAgainRequested();
    void splitAtPausesOnlyRequested();
    void hardOnlyChosen(bool on);

private:
    void rebuildMenu();

    std::vector<Language> m_languages;
    QString m_language;
    QToolButton* m_languageButton;
    QMenu* m_languageMenu;
    QActionGroup* m_languageGroup = nullptr;
    QPointer<QMenu> m_notOnDevice;
    QAction* m_hardOnly;
};
