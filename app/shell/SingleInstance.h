#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QStringList>

#include <memory>

// Keeps Quellin to one window per user. The first instance takes a lock in a folder that is the
// user's alone (owned by the user, mode 0700, by a name the user owns) and listens on a local
// socket there; a later instance of the same user hands its files to it and exits. Both ends check
// that the other is the same user (by the socket's peer credentials) before a path crosses. Without
// such a folder, or facing another user, Quellin runs as a separate instance. Main thread only.
class SingleInstance final : public QObject {
    Q_OBJECT

public:
    enum class Role {
        primary,    // this process runs the window
        handedOver, // the running instance has the files; this process should exit
        standalone, // no private folder, or the running instance did not answer or is not the
                    // same user's; this process runs on its own
    };

    // `folder` holds the lock and the socket; made (mode 0700) when missing.
    explicit SingleInstance(QString folder = defaultFolder(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // Becomes the running instance, or passes `files` (absolute paths) to the one that runs,
    // waiting at most `timeoutMs` for it to take them.
    Role start(const QStringList& files, int timeoutMs = 5000);

    // The user's runtime folder, else a folder named for the user in the temporary folder.
    static QString defaultFolder();
    QString socketPath() const;

Q_SIGNALS:
    // Another `quellin` was started with these files (none: it only asks to show the window).
    void filesReceived(const QStringList& files);

private:
    bool handOver(const QStringList& files, int timeoutMs);
    void accept();

    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer m_server;
};
