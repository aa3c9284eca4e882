#include "session/SessionStore.h"

#include "base/FileCleanup.h"
#include "base/Locations.h"
#include "base/LogCategories.h"
#include "session/SessionFileError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>

namespace {

const QString fileExtension = QStringLiteral(".json");

// Keys name files and folders below the store's folder, so one that could climb out of it (or
// name the folder itself) is never used as a path.
bool isUsableKey(QStringView key) {
    return !key.isEmpty() && key != u"." && key != u".." && !key.contains(u'/') &&
           !key.contains(QChar(0));
}

} // namespace

SessionStore SessionStore::standard() {
    return SessionStore(Locations::sessionsFolder());
}

QString SessionStore::sessionFile(const QString& key) const {
    return folder + u'/' + key + fileExtension;
}

QString SessionStore::takesFolder(const QString& key) const {
    return folder + QStringLiteral("/Takes/") + key;
}

QString SessionStore::takeURL(const Session& session, const Sentence& sentence) const {
    return takeFile(session.key(), sentence.id());
}

QString SessionStore::takeFile(const QString& key, qint64 sentenceId) const {
    return takesFolder(key) + u'/' + QString::number(sentenceId) + QStringLiteral(".m4a");
}

std::optional<QString> SessionStore::moveTake(const Session& session, qint64 from,
                                              qint64 to) const {
    const auto path = [&](qint64 id) { return takeFile(session.key(), id); };
    if (from == to || !QFileInfo(path(from)).isFile())
        return std::nullopt;
    if (QFileInfo::exists(path(to)))
        return QCoreApplication::translate(
                   "SessionStore", "Your recording of this sentence stays under its old start: "
                                   "another recording is already kept as “%1”.")
            .arg(path(to));
    QFile take(path(from));
    if (!take.rename(path(to)))
        return QCoreApplication::translate("SessionStore",
                                           "Your recording of this sentence couldn’t follow its "
                                           "new start: %1")
            .arg(take.errorString());
    return std::nullopt;
}

void SessionStore::save(const Session& session) const {
    if (folder.isEmpty() || !QDir().mkpath(folder))
        throw SessionFileError(QCoreApplication::translate(
                                   "SessionStore", "The sessions folder “%1” couldn’t be created.")
                                   .arg(folder));
    const QByteArray bytes = session.encoded();
    const QString path = sessionFile(session.key());
    QSaveFile file(path);
    // QSaveFile writes beside the target and renames over it only once everything is written.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw SessionFileError(
            QCoreApplication::translate("SessionStore", "The session couldn’t be saved to “%1”: %2")
                .arg(path, reason));
    }
}

std::optional<Session> SessionStore::load(const QString& key) const {
    if (folder.isEmpty() || !isUsableKey(key))
        return std::nullopt;
    QFile file(sessionFile(key));
    if (!file.open(QIODevice::ReadOnly)) {
        if (file.exists())
            qCDebug(lcSession) << "couldn't open" << file.fileName() << "-" << file.errorString();
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        qCDebug(lcSession) << "couldn't read" << file.fileName() << "-" << file.errorString();
        return std::nullopt;
    }
    std::optional<Session> session = Session::decoded(bytes);
    if (!session)
        qCDebug(lcSession) << file.fileName() << "isn't a session file this version can read";
    return session;
}

std::optional<Session> SessionStore::load(const QString& path, qint64 size) const {
    return load(Session::key(path, size));
}

std::vector<Session> SessionStore::all() const {
    if (folder.isEmpty())
        return {};
    const QStringList names =
        QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    QStringList keys;
    for (const QString& name : names)
        if (name.endsWith(fileExtension)) // case-sensitive: old.JSON is not a session
            keys << name.chopped(fileExtension.size());
    // Every file is read and decoded on each call; spread over the cores, this is the whole cost.
    // The calling thread takes part, so a busy pool only makes it as slow as reading in turn.
    const std::vector<std::optional<Session>> loaded =
        QtConcurrent::blockingMapped<std::vector<std::optional<Session>>>(
            keys, [this](const QString& key) { return load(key); });
    std::vector<Session> sessions;
    sessions.reserve(loaded.size());
    for (const std::optional<Session>& session : loaded)
        if (session)
            sessions.push_back(std::move(*session));
    return sessions;
}

std::vector<SessionSummary> SessionStore::recent(qsizetype limit) const {
    return limit > 0 ? recentOf(all(), limit) : std::vector<SessionSummary>();
}

std::vector<SessionSummary> SessionStore::recentOf(const std::vector<Session>& sessions,
                                                   qsizetype limit) {
    if (limit <= 0)
        return {};
    std::vector<SessionSummary> summaries;
    for (const Session& session : sessions) {
        const auto practised =
            std::count_if(session.sentences.begin(), session.sentences.end(),
                          [](const Sentence& s) { return s.practice.practised(); });
        // The key comes from the content, not the file name, so a file stored under another
        // name still leads to the session that its media file opens.
        summaries.emplace_back(session.key(), session.filePath, qsizetype(session.sentences.size()),
                               session.hardCount(), session.current, session.updatedAt,
                               qsizetype(practised));
    }
    std::stable_sort(
        summaries.begin(), summaries.end(),
        [](const SessionSummary& a, const SessionSummary& b) { return a.updatedAt > b.updatedAt; });
    if (qsizetype(summaries.size()) > limit)
        summaries.resize(size_t(limit));
    return summaries;
}

std::optional<QString> SessionStore::keepUnreadableAside(const QString& key) const {
    if (folder.isEmpty() || !isUsableKey(key))
        return std::nullopt;
    const QString path = sessionFile(key);
    if (!QFileInfo(path).isFile() || load(key))
        return std::nullopt;
    QString aside = path + QStringLiteral(".damaged");
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = path + QStringLiteral(".damaged-") + QString::number(n);
    QFile file(path);
    if (!file.rename(aside)) {
        qCDebug(lcSession) << "couldn't keep" << path << "aside -" << file.errorString();
        return std::nullopt;
    }
    return aside;
}

void SessionStore::delete_(const QString& key) const {
    if (folder.isEmpty() || !isUsableKey(key))
        return;
    FileCleanup::remove(sessionFile(key), lcSession);
    if (!QDir(takesFolder(key)).removeRecursively())
        qCDebug(lcSession) << "some takes in" << takesFolder(key) << "couldn't be removed";
}
