#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QStringList>

#include <memory>

// Keeps Quellin to one window per user. The first instance takes a lock in the user's runtime
// folder and listens on a local socket that only the same user can reach; a later instance
// hands its files to it and exits.
class SingleInstance final : public QObject {
    Q_OBJECT

public:
    enum class Role {
        primary,    // this process runs the window
        handedOver, // the running instance has the files; this process should exit
        standalone, // the running instance did not answer; this process runs on its own
    };

    // `folder` holds the lock and the socket; the user's runtime folder by default.
    explicit SingleInstance(QString folder = defaultFolder(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // Becomes the running instance, or passes `files` (absolute paths) to the one that runs,
    // waiting at most `timeoutMs` for it to take them.
    Role start(const QStringList& files, int timeoutMs = 5000);

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
