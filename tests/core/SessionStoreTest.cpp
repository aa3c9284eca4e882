#include "session/SessionStore.h"
#include "base/Locations.h"
#include "session/SessionFileError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

const QDateTime baseTime = QDateTime(QDate(2025, 3, 1), QTime(9, 0), Qt::UTC);

Session makeSession(const QString& path, int sentenceCount, QDateTime updatedAt) {
    std::vector<Sentence> sentences;
    for (int i = 0; i < sentenceCount; ++i)
        sentences.emplace_back(i * 2.5, i * 2.5 + 2, QStringLiteral("Satz %1.").arg(i), i % 3 == 0);
    return Session(path, 1000 + sentenceCount, sentenceCount * 2.5, std::move(sentences),
                   sentenceCount / 2, SplitMethod::pauses(), PracticeSettings::standard(), false,
                   std::move(updatedAt));
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Limits the size of any file this process writes, as a full disk would: writes beyond the limit
// fail with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limited = m_saved;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

} // namespace

class SessionStoreTest final : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString m_folder;

private Q_SLOTS:
    void init() {
        QVERIFY(m_root.isValid());
        m_folder = m_root.filePath(QStringLiteral("Data/Sessions"));
        QDir(m_folder).removeRecursively();
    }

    void savedSessionLoadsUnchangedButForSubseconds() {
        const SessionStore store(m_folder); // save creates the missing folders
        Session session = makeSession(QStringLiteral("/home/ana/Kurs/Lektion – 1.mp4"), 12,
                                      baseTime.addMSecs(750));
        session.method = SplitMethod::speech(QStringLiteral("fr-FR"));
        session.settings = PracticeSettings(30, 0.1, 8, true); // stored as chosen, not limited
        store.save(session);
        QVERIFY(QFile::exists(m_folder + u'/' + session.key() + QStringLiteral(".json")));

        Session expected = session;
        expected.updatedAt = baseTime;
        QCOMPARE(store.load(session.key()), expected);
        QCOMPARE(store.load(session.filePath, session.fileSize), expected);
        QCOMPARE(store.load(session.filePath, session.fileSize + 1), std::nullopt);
        QCOMPARE(store.load(QStringLiteral("0123456789abcdef")), std::nullopt);

        // Saving again replaces the file as a whole.
        session.sentences.resize(1);
        store.save(session);
        QCOMPARE(store.load(session.key())->sentences.size(), size_t(1));
    }

    void damagedFilesLoadAsAbsent() {
        const SessionStore store(m_folder);
        const Session good = makeSession(QStringLiteral("/a.mp3"), 3, baseTime);
        store.save(good);
        const QByteArray content = readFile(store.sessionFile(good.key()));
        QVERIFY(!content.isEmpty());

        const QByteArray damaged[] = {
            QByteArray(),
            content.left(content.size() / 2),
            QByteArray(content).replace("\"hardOnly\": false", "\"hardOnly\": \"no\""),
            QByteArray(content).replace("\"hardOnly\": false,", ""),
            QByteArray("\xff\xfe\x00\x01garbage", 11),
        };
        for (const QByteArray& bytes : damaged) {
            writeFile(store.sessionFile(good.key()), bytes);
            QCOMPARE(store.load(good.key()), std::nullopt);
            QVERIFY(store.recent(10).empty());
        }

        // A folder in the file's place is no session either.
        QFile::remove(store.sessionFile(good.key()));
        QVERIFY(QDir().mkpath(store.sessionFile(good.key())));
        QCOMPARE(store.load(good.key()), std::nullopt);
        QVERIFY(store.recent(10).empty());
    }

    // A file that does not load is moved aside whole, never overwritten: the user may want it back.
    void unreadableFilesAreKeptAside() {
        const SessionStore store(m_folder);
        const Session good = makeSession(QStringLiteral("/c.mp3"), 2, baseTime);
        QCOMPARE(store.keepUnreadableAside(good.key()), std::nullopt); // no file
        store.save(good);
        QCOMPARE(store.keepUnreadableAside(good.key()), std::nullopt); // it loads
        QCOMPARE(store.load(good.key()), good);

        const QString file = store.sessionFile(good.key());
        const QByteArray first = readFile(file).left(40);
        writeFile(file, first);
        QCOMPARE(store.keepUnreadableAside(good.key()), file + QStringLiteral(".damaged"));
        QVERIFY(!QFile::exists(file));
        QCOMPARE(readFile(file + QStringLiteral(".damaged")), first);

        // A second damaged file does not replace the first one kept.
        writeFile(file, "{");
        QCOMPARE(store.keepUnreadableAside(good.key()), file + QStringLiteral(".damaged-2"));
        QCOMPARE(readFile(file + QStringLiteral(".damaged")), first);
        QCOMPARE(readFile(file + QStringLiteral(".damaged-2")), QByteArray("{"));
        // Kept files are no sessions of the recent list.
        store.save(good);
        QCOMPARE(store.recent(10).size(), size_t(1));
    }

    void failedSaveKeepsThePreviousFileAndReports() {
        const SessionStore store(m_folder);
        const Session previous = makeSession(QStringLiteral("/b.mp3"), 2, baseTime);
        store.save(previous);
        const QByteArray before = readFile(store.sessionFile(previous.key()));

        Session bigger = previous;
        bigger.sentences = makeSession(previous.filePath, 200, baseTime).sentences;
        bigger.updatedAt = baseTime.addSecs(60);
        QString message;
        {
            const FileSizeLimit diskFull(qint64(before.size()) + 16);
            try {
                store.save(bigger);
            } catch (const SessionFileError& error) {
                message = error.description();
            }
        }
        QVERIFY2(message.contains(store.sessionFile(previous.key())), qPrintable(message));
        QCOMPARE(readFile(store.sessionFile(previous.key())), before);
        QCOMPARE(store.load(previous.key()), previous);
        QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden),
                 QStringList(previous.key() + QStringLiteral(".json"))); // no temporary left

        // A session that cannot be written as JSON leaves the file alone too.
        bigger.duration = std::numeric_limits<double>::infinity();
        QVERIFY_THROWS_EXCEPTION(SessionFileError, store.save(bigger));
        QCOMPARE(readFile(store.sessionFile(previous.key())), before);
    }

    void saveWhereTheFolderCannotBeMadeThrows() {
        // A plain file where the sessions folder (or one above it) should be.
        const QString blocker = m_root.filePath(QStringLiteral("blocker"));
        writeFile(blocker, "not a folder");
        for (const QString& folder : {blocker, blocker + QStringLiteral("/Sessions")}) {
            const SessionStore store(folder);
            QVERIFY_THROWS_EXCEPTION(
                SessionFileError, store.save(makeSession(QStringLiteral("/c.mp3"), 1, baseTime)));
            QVERIFY(store.recent(10).empty());
        }
        QCOMPARE(readFile(blocker), QByteArray("not a folder"));
        QVERIFY_THROWS_EXCEPTION(SessionFileError, SessionStore(QString()).save(Session()));
    }

    void recentListsNewestFirst() {
        const SessionStore store(m_folder);
        QVERIFY(store.recent(10).empty()); // the folder does not exist yet
        std::vector<Session> saved;
        for (int i = 0; i < 12; ++i) {
            // Saved in an order unrelated to their times.
            const int minutes = (i * 5) % 12;
            saved.push_back(
                makeSession(QStringLiteral("/m/%1.mp3").arg(i), i, baseTime.addSecs(minutes * 60)));
            store.save(saved.back());
        }
        writeFile(m_folder + QStringLiteral("/notes.txt"), "x");
        writeFile(m_folder + QStringLiteral("/old.JSON"), saved[0].encoded());
        writeFile(m_folder + QStringLiteral("/broken.json"), "{");

        QVERIFY(store.recent(0).empty());
        const std::vector<SessionSummary> recent = store.recent(10);
        QCOMPARE(recent.size(), size_t(10));
        for (size_t i = 0; i < recent.size(); ++i)
            QCOMPARE(recent[i].updatedAt, baseTime.addSecs((11 - qint64(i)) * 60));
        const Session& newest = saved[7]; // (7 × 5) mod 12 = 11
        QCOMPARE(recent.front(), SessionSummary(newest.key(), newest.filePath, 7,
                                                newest.hardCount(), 3, newest.updatedAt));
        QCOMPARE(recent.front().fileName(), QStringLiteral("7.mp3"));
        QCOMPARE(store.recent(100).size(), size_t(12));
    }

    void recentNamesSessionsByTheirContent() {
        const SessionStore store(m_folder);
        const Session session = makeSession(QStringLiteral("/moved/d.mp3"), 4, baseTime);
        QVERIFY(QDir().mkpath(m_folder));
        writeFile(m_folder + QStringLiteral("/someotherkey.json"), session.encoded());
        const std::vector<SessionSummary> recent = store.recent(10);
        QCOMPARE(recent.size(), size_t(1));
        QCOMPARE(recent[0].key, session.key());
        QCOMPARE(recent[0].id(), session.key());
    }

    void deleteRemovesFileAndTakes() {
        const SessionStore store(m_folder);
        const Session withTakes = makeSession(QStringLiteral("/e.mp3"), 3, baseTime);
        const Session withoutTakes = makeSession(QStringLiteral("/f.mp3"), 3, baseTime);
        store.save(withTakes);
        store.save(withoutTakes);
        const QString take = store.takeURL(withTakes, withTakes.sentences[1]);
        QCOMPARE(take, m_folder + QStringLiteral("/Takes/") + withTakes.key() +
                           QStringLiteral("/2500.m4a"));
        QCOMPARE(store.takeURL(withTakes, Sentence(12.3456, 13)),
                 store.takesFolder(withTakes.key()) + QStringLiteral("/12346.m4a"));
        QVERIFY(QDir().mkpath(store.takesFolder(withTakes.key()) + QStringLiteral("/nested")));
        writeFile(take, "aac");

        store.delete_(withTakes.key());
        QCOMPARE(store.load(withTakes.key()), std::nullopt);
        QVERIFY(!QFileInfo::exists(store.takesFolder(withTakes.key())));
        store.delete_(withoutTakes.key());
        QCOMPARE(store.load(withoutTakes.key()), std::nullopt);
        store.delete_(QStringLiteral("unknown")); // nothing there: nothing happens
        QVERIFY(QFileInfo(m_folder).isDir());
    }

    void keysCannotReachOutsideTheFolder() {
        const SessionStore store(m_folder);
        store.save(makeSession(QStringLiteral("/g.mp3"), 1, baseTime));
        const QString outside = m_root.filePath(QStringLiteral("Data/precious"));
        QVERIFY(QDir().mkpath(outside));
        writeFile(m_root.filePath(QStringLiteral("Data/precious.json")), "keep");
        QVERIFY(QDir().mkpath(m_folder + QStringLiteral("/Takes")));

        for (const QString& key : {QStringLiteral("../precious"), QStringLiteral(".."),
                                   QStringLiteral("."), QString()}) {
            store.delete_(key);
            QCOMPARE(store.load(key), std::nullopt);
        }
        QVERIFY(QFileInfo(outside).isDir());
        QCOMPARE(readFile(m_root.filePath(QStringLiteral("Data/precious.json"))),
                 QByteArray("keep"));
        QVERIFY(QFileInfo(m_folder + QStringLiteral("/Takes")).isDir());
        QCOMPARE(store.recent(10).size(), size_t(1));
    }

    // Where earlier versions kept them: moving one would lose the user's sessions or caches.
    void standardFoldersLiveInTheUsersFolders() {
        const QByteArray savedData = qgetenv("XDG_DATA_HOME");
        const QByteArray savedCache = qgetenv("XDG_CACHE_HOME");
        qputenv("XDG_DATA_HOME", m_root.filePath(QStringLiteral("xdg")).toUtf8());
        qputenv("XDG_CACHE_HOME", m_root.filePath(QStringLiteral("cache")).toUtf8());
        const QString folder = SessionStore::standard().folder;
        const QString audio = Locations::audioCacheFolder();
        const QString models = Locations::modelFolder(QStringLiteral("de-DE"));
        for (const auto& [name, value] :
             {std::pair("XDG_DATA_HOME", savedData), std::pair("XDG_CACHE_HOME", savedCache)}) {
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
        }
        QCOMPARE(folder, m_root.filePath(QStringLiteral("xdg/Quellin/Sessions")));
        QVERIFY(!QFileInfo::exists(folder)); // created by the first save, not before
        QCOMPARE(audio, m_root.filePath(QStringLiteral("cache/Quellin/Audio")));
        QCOMPARE(models, m_root.filePath(QStringLiteral("xdg/Quellin/Models/de-DE")));
    }
};

QTEST_GUILESS_MAIN(SessionStoreTest)
#include "SessionStoreTest.moc"
