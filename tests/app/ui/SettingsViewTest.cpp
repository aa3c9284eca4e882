#include "ui/SettingsView.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class SettingsViewTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsTheSessionsFolderCreatingItFirst() {
        QTemporaryDir home;
        const QString folder = home.filePath(QStringLiteral("share/Quellin/Sessions"));
        QList<QUrl> revealed;
        int checks = 0;
        SettingsView view(folder, {[&](const QUrl& url) {
                                       // The folder exists by the time it is revealed.
                                       QVERIFY(QDir(url.toLocalFile()).exists());
                                       revealed.append(url);
                                   },
                                   [&] { ++checks; }});
        view.show();
        auto* show = view.findChild<QPushButton*>(QStringLiteral("showSessions"));
        QCOMPARE(show->text(), QStringLiteral("Show in File Manager"));
        QTest::mouseClick(show, Qt::LeftButton);
        QCOMPARE(revealed, QList<QUrl>({QUrl::fromLocalFile(folder)}));
        QVERIFY(QDir(folder).exists());
        // An existing folder is shown again as it is.
        QTest::mouseClick(show, Qt::LeftButton);
        QCOMPARE(revealed.size(), 2);

        auto* check = view.findChild<QPushButton*>(QStringLiteral("checkForUpdates"));
        QCOMPARE(check->text(), QStringLiteral("Check for Updates…"));
        QTest::mouseClick(check, Qt::LeftButton);
        QCOMPARE(checks, 1);
        QCOMPARE(view.findChild<QLabel*>(QStringLiteral("sessionsText"))->text(),
                 QStringLiteral("Sentences, your place, hard marks and recordings are kept on this "
                                "computer only. Recognition runs on-device; nothing is uploaded."));
    }

    void aFolderThatCannotBeMadeIsStillRevealed() {
        QTemporaryDir home;
        QFile blocker(home.filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        // The folder would have to be made inside a regular file.
        const QString folder = home.filePath(QStringLiteral("file/Sessions"));
        int reveals = 0;
        SettingsView view(folder, {[&](const QUrl&) { ++reveals; }, {}});
        view.showSessionsFolder();
        QCOMPARE(reveals, 1);
    }
};

QTEST_MAIN(SettingsViewTest)
#include "SettingsViewTest.moc"
