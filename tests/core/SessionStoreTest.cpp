#include "session/SessionStore.h"
#include "base/Locations.h"
#include "session/SessionFileError.h"

#include "TestMedia.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

const QDateTime baseTime = QDateTime(QDate(2025, 3, 1), QTime(9, 0), Qt::UTC);

Session makeSession(const QString& path, int sentenceCount, QDateTime updatedAt = baseTime) {
    Session session(path, 1000, sentenceCount * 2.5, {}, sentenceCount / 2, SplitMethod::pauses(),
                    PracticeSettings::standard(), false, std::move(updatedAt));
    for (int i = 0; i < sentenceCount; ++i)
        session.sentences.emplace_back(i * 2.5, i * 2.5 + 2, u"Satz %1."_s.arg(i), i % 3 == 0);
    return session;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class SessionStoreTest final : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_folder;
    QString inRoot(const QString& name) const { return m_root.filePath(name); }

private Q_SLOTS:
    void init() {
        m_folder = inRoot(u"Data/Sessions"_s);
        QDir(m_folder).removeRecursively();
    }

    void savedSessionLoadsUnchangedButForSubseconds() {
        const SessionStore store(m_folder); // save creates the missing folders
        Session session =
            makeSession(u"/home/ana/Kurs/Lektion – 1.mp4"_s, 12, baseTime.addMSecs(750));
        session.method = SplitMethod::speech(u"fr-FR"_s);
        session.settings = PracticeSettings(30, 0.1, 8, true); // stored as chosen, not limited
        store.save(session);
        QCOMPARE(store.sessionFile(session.key()), m_folder + u'/' + session.key() + u".json"_s);
        Session expected = session;
        expected.updatedAt = baseTime;
        QCOMPARE(store.load(session.key()), expected);
        QCOMPARE(store.load(session.filePath, session.fileSize), expected);
        QCOMPARE(store.load(session.filePath, session.fileSize + 1), std::nullopt);
        // Saving again replaces the file as a whole.
        session.sentences.resize(1);
        store.save(session);
        QCOMPARE(store.load(session.key())->sentences.size(), size_t(1));
    }

    // A file that does not load is no session, and is moved aside whole, never overwritten: the
    // user may want it back.
    void damagedFilesAreKeptAside() {
        const SessionStore store(m_folder);
        const Session good = makeSession(u"/a.mp3"_s, 3);
        const QString file = store.sessionFile(good.key());
        QCOMPARE(store.keepUnreadableAside(good.key()), std::nullopt); // no file
        store.save(good);
        QCOMPARE(store.keepUnreadableAside(good.key()), std::nullopt); // it loads
        const QByteArray wrongType =
            readFile(file).replace("\"hardOnly\": false", "\"hardOnly\": 0");
        for (const QByteArray& bytes : {QByteArray(), QByteArray("{"), wrongType}) {
            TestMedia::textFile(file, bytes);
            QCOMPARE(store.load(good.key()), std::nullopt);
            QVERIFY(store.recent(10).empty());
        }
        QCOMPARE(store.keepUnreadableAside(good.key()), file + u".damaged"_s);
        TestMedia::textFile(file, "{");
        QCOMPARE(store.keepUnreadableAside(good.key()), file + u".damaged-2"_s);
        QCOMPARE(readFile(file + u".damaged"_s), wrongType);
        // A folder in the file's place is no session either; kept files are none of the recent.
        QVERIFY(QDir().mkpath(file));
        QCOMPARE(store.load(good.key()), std::nullopt);
        QVERIFY(store.recent(10).empty());
    }

    void failedSaveKeepsThePreviousFileAndReports() {
        const SessionStore store(m_folder);
        const Session previous = makeSession(u"/b.mp3"_s, 2);
        store.save(previous);
        const QByteArray before = readFile(store.sessionFile(previous.key()));
        // A full disk: writes past the limit fail with EFBIG instead of raising SIGXFSZ.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit diskFull = saved;
        diskFull.rlim_cur = rlim_t(before.size()) + 16;
        setrlimit(RLIMIT_FSIZE, &diskFull);
        QString message;
        try {
            store.save(makeSession(previous.filePath, 200, baseTime.addSecs(60)));
        } catch (const SessionFileError& error) {
            message = error.description();
        }
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY2(message.contains(store.sessionFile(previous.key())), qPrintable(message));
        QCOMPARE(readFile(store.sessionFile(previous.key())), before);
        QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden),
                 QStringList(previous.key() + u".json"_s)); // no temporary left

        // A session that cannot be written as JSON leaves the file alone too.
        Session infinite = previous;
        infinite.duration = INFINITY;
        QVERIFY_THROWS_EXCEPTION(SessionFileError, store.save(infinite));
        QCOMPARE(readFile(store.sessionFile(previous.key())), before);
        // A plain file where the sessions folder (or one above it) should be.
        const QString blocker = TestMedia::textFile(inRoot(u"blocker"_s), "not a folder");
        for (const QString& folder : {blocker, blocker + u"/Sessions"_s, QString()})
            QVERIFY_THROWS_EXCEPTION(SessionFileError, SessionStore(folder).save(previous));
        QCOMPARE(readFile(blocker), QByteArray("not a folder"));
    }

    void recentListsNewestFirst() {
        const SessionStore store(m_folder);
        QVERIFY(store.recent(10).empty()); // the folder does not exist yet
        // Saved in an order unrelated to their times; 7 is the newest, (7 × 5) mod 12 = 11.
        for (int i = 0; i < 12; ++i)
            store.save(makeSession(u"/m/%1.mp3"_s.arg(i), i, baseTime.addSecs((i * 5) % 12 * 60)));
        TestMedia::textFile(m_folder + u"/notes.txt"_s, "x");
        TestMedia::textFile(m_folder + u"/old.JSON"_s, makeSession(u"/old.mp3"_s, 1).encoded());
        // A file is named by its content, not by its name.
        const Session moved = makeSession(u"/moved/d.mp3"_s, 4, baseTime.addSecs(-60));
        TestMedia::textFile(m_folder + u"/someotherkey.json"_s, moved.encoded());

        QVERIFY(store.recent(0).empty());
        const std::vector<SessionSummary> recent = store.recent(10);
        QCOMPARE(recent.size(), size_t(10));
        for (size_t i = 0; i < recent.size(); ++i)
            QCOMPARE(recent[i].updatedAt, baseTime.addSecs((11 - qint64(i)) * 60));
        QCOMPARE(recent.front(), SessionSummary(Session::key(u"/m/7.mp3"_s, 1000), u"/m/7.mp3"_s, 7,
                                                3, 3, baseTime.addSecs(11 * 60)));
        QCOMPARE(store.recent(100).size(), size_t(13));
        QCOMPARE(store.recent(100).back().key, moved.key());
    }

    void deleteRemovesFileAndTakesButNothingOutside() {
        const SessionStore store(m_folder);
        const Session withTakes = makeSession(u"/e.mp3"_s, 3);
        store.save(withTakes);
        store.save(makeSession(u"/f.mp3"_s, 3));
        const QString take = store.takeURL(withTakes, withTakes.sentences[1]);
        QCOMPARE(take, m_folder + u"/Takes/"_s + withTakes.key() + u"/2500.m4a"_s);
        QCOMPARE(store.takeURL(withTakes, Sentence(12.3456, 13)),
                 store.takesFolder(withTakes.key()) + u"/12346.m4a"_s);
        TestMedia::textFile(store.takesFolder(withTakes.key()) + u"/nested/x"_s, "");
        TestMedia::textFile(take, "aac");
        TestMedia::textFile(inRoot(u"Data/precious/x"_s), "keep");
        TestMedia::textFile(inRoot(u"Data/precious.json"_s), "keep");

        store.delete_(withTakes.key());
        QCOMPARE(store.load(withTakes.key()), std::nullopt);
        QVERIFY(!QFileInfo::exists(store.takesFolder(withTakes.key())));
        for (const QString& key : {u"../precious"_s, u".."_s, u"."_s, QString(), u"unknown"_s})
            store.delete_(key);
        QCOMPARE(readFile(inRoot(u"Data/precious/x"_s)), QByteArray("keep"));
        QCOMPARE(readFile(inRoot(u"Data/precious.json"_s)), QByteArray("keep"));
        QVERIFY(QFileInfo(m_folder + u"/Takes"_s).isDir());
        QCOMPARE(store.recent(10).size(), size_t(1));
    }

    // Where earlier versions kept them: moving one would lose the user’s sessions.
    // The last test: it leaves the XDG variables pointing into the test's folder.
    void standardFoldersLiveInTheUsersFolders() {
        qputenv("XDG_DATA_HOME", inRoot(u"xdg"_s).toUtf8());
        QCOMPARE(SessionStore::standard().folder, inRoot(u"xdg/Quellin/Sessions"_s));
        QVERIFY(!QFileInfo::exists(inRoot(u"xdg/Quellin/Sessions"_s))); // made by the first save
        QCOMPARE(Locations::modelFolder(u"de-DE"_s), inRoot(u"xdg/Quellin/Models/de-DE"_s));
    }
};

QTEST_GUILESS_MAIN(SessionStoreTest)
#include "SessionStoreTest.moc"
