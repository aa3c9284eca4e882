#pragma once

#include "session/Session.h"
#include "session/SessionSummary.h"

#include <QString>

#include <optional>
#include <vector>

// Reads, writes, lists and deletes session files in one folder:
//   <key>.json               the session with that key
//   Takes/<key>/<id>.m4a     the user's recorded attempt at the sentence with that id
// Reading never fails loudly (a file that cannot be read counts as absent); writing throws.
// A key that is not a plain file name (empty, ".", "..", or holding "/") is never used as a path:
// it loads nothing and deletes nothing.
struct SessionStore {
    QString folder;

    explicit SessionStore(QString folder) : folder(std::move(folder)) {}

    // Locations::sessionsFolder(). Not created here; `save` creates it.
    static SessionStore standard();

    // Writes the session file of `session.key()` atomically: the previous file stays as it was
    // unless the new one is complete. Throws SessionFileError.
    void save(const Session& session) const;
    std::optional<Session> load(const QString& key) const;
    std::optional<Session> load(const QString& path, qint64 size) const;
    // Every readable session, in no particular order; unreadable files are left out.
    std::vector<Session> all() const;
    // The most recently saved sessions, newest first, at most `limit` (none for a negative
    // limit); unreadable files are left out.
    std::vector<SessionSummary> recent(qsizetype limit) const;
    // The same of sessions already read.
    static std::vector<SessionSummary> recentOf(const std::vector<Session>& sessions,
                                                qsizetype limit);
    // When the session file of `key` exists but does not load (damaged, or edited by hand), moves
    // it aside as <key>.json.damaged (…-2, -3 when taken) and gives that path, so that a fresh
    // session saved under the same key does not overwrite what the user may want back. Gives
    // none when there is no such file, when it loads, or when it cannot be moved.
    std::optional<QString> keepUnreadableAside(const QString& key) const;
    // Removes the session file and the takes of that key; does nothing when there are none.
    void delete_(const QString& key) const;

    QString sessionFile(const QString& key) const;
    QString takesFolder(const QString& key) const;
    QString takeURL(const Session& session, const Sentence& sentence) const;
    QString takeFile(const QString& key, qint64 sentenceId) const;
    // Renames the take of the sentence with id `from` to follow it to id `to` (its start moved).
    // Nothing to do without such a take. A take already kept under `to` is never overwritten:
    // gives what went wrong, in the user's words, when the take could not follow.
    std::optional<QString> moveTake(const Session& session, qint64 from, qint64 to) const;
};
