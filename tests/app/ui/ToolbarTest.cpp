#include "ui/Toolbar.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

class ToolbarTest final : public QObject {
    Q_OBJECT

private:
    static QStringList texts(const QMenu* menu) {
        QStringList result;
        for (const QAction* action : menu->actions())
            result.append(action->isSeparator() && action->text().isEmpty() ? QStringLiteral("—")
                                                                            : action->text());
        return result;
    }
    static QAction* find(const QMenu* menu, const QString& text) {
        for (QAction* action : menu->actions())
            if (action->text() == text)
                return action;
        return nullptr;
    }

private Q_SLOTS:
    void languageMenu() {
        Toolbar toolbar;
        QSignalSpy chosen(&toolbar, &Toolbar::languageChosen);
        QSignalSpy again(&toolbar, &Toolbar::findSentencesAgainRequested);
        QSignalSpy pauses(&toolbar, &Toolbar::splitAtPausesOnlyRequested);
        toolbar.setLanguages(
            {{QStringLiteral("en-US"), QStringLiteral("English (United States)"), true},
             {QStringLiteral("fr-FR"), QStringLiteral("French (France)"), true}});
        toolbar.setLanguage(QStringLiteral("en-US"), QStringLiteral("English (United States)"));
        QCOMPARE(toolbar.languageButton()->text(), QStringLiteral("English (United States)"));
        // Every language is on this computer: no sub-menu for the missing ones.
        QCOMPARE(texts(toolbar.languageMenu()),
                 QStringList({QStringLiteral("Language"), QStringLiteral("English (United States)"),
                              QStringLiteral("French (France)"), QStringLiteral("—"),
                              QStringLiteral("Find Sentences Again"),
                              QStringLiteral("Split at Pauses Only")}));
        QAction* english = find(toolbar.languageMenu(), QStringLiteral("English (United States)"));
        QVERIFY(english->isChecked());
        // Choosing the language already in use still asks to find the sentences again.
        english->trigger();
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen[0][0].toString(), QStringLiteral("en-US"));
        find(toolbar.languageMenu(), QStringLiteral("Find Sentences Again"))->trigger();
        find(toolbar.languageMenu(), QStringLiteral("Split at Pauses Only"))->trigger();
        QCOMPARE(again.size(), 1);
        QCOMPARE(pauses.size(), 1);

        toolbar.setLanguages(
            {{QStringLiteral("en-US"), QStringLiteral("English (United States)"), true},
             {QStringLiteral("de-DE"), QStringLiteral("German (Germany)"), false}});
        QAction* notYet = find(toolbar.languageMenu(), QStringLiteral("Not on This Computer Yet"));
        QVERIFY(notYet && notYet->menu());
        QCOMPARE(texts(notYet->menu()), QStringList({QStringLiteral("German (Germany)")}));
        // The language in use stays checked after the list changes.
        QVERIFY(
            find(toolbar.languageMenu(), QStringLiteral("English (United States)"))->isChecked());
        notYet->menu()->actions()[0]->trigger();
        QCOMPARE(chosen.size(), 2);
        QCOMPARE(chosen[1][0].toString(), QStringLiteral("de-DE"));

        // Once its speech model is in place the language moves into the picker, and the
        // sub-menu goes, not merely emptied.
        toolbar.setLanguages(
            {{QStringLiteral("en-US"), QStringLiteral("English (United States)"), true},
             {QStringLiteral("de-DE"), QStringLiteral("German (Germany)"), true}});
        QVERIFY(!find(toolbar.languageMenu(), QStringLiteral("Not on This Computer Yet")));
        QVERIFY(find(toolbar.languageMenu(), QStringLiteral("German (Germany)"))->isCheckable());
        QCOMPARE(toolbar.languageMenu()->findChildren<QMenu*>().size(), 0);
        QCOMPARE(toolbar.languageMenu()->findChildren<QActionGroup*>().size(), 1);

        // A language without a display name shows its identifier.
        toolbar.setLanguage(QStringLiteral("xx-YY"), {});
        QCOMPARE(toolbar.languageButton()->text(), QStringLiteral("xx-YY"));
    }

    void hardOnlyToggle() {
        Toolbar toolbar;
        QSignalSpy chosen(&toolbar, &Toolbar::hardOnlyChosen);
        QAction* hardOnly = toolbar.hardOnlyAction();
        QCOMPARE(hardOnly->text(), QStringLiteral("Hard Only"));
        QCOMPARE(hardOnly->toolTip(), QStringLiteral("Practise only the sentences marked hard"));
        toolbar.setHardOnly(true);
        QVERIFY(hardOnly->isChecked());
        QCOMPARE(chosen.size(), 0); // showing the model's value is no request
        hardOnly->trigger();
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen[0][0].toBool(), false);
        QVERIFY(hardOnly->isEnabled());
    }
};

QTEST_MAIN(ToolbarTest)
#include "ToolbarTest.moc"
