#include "shell/SingleInstance.h"

#include "base/FileCleanup.h"
#include "base/LogCategories.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <cerrno>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A message is a JSON array of paths and a newline; anything longer than this is not ours.
constexpr qint64 maximumMessage = 1 << 20;
const QByteArray acknowledgement = QByteArrayLiteral("ok\n");

// Makes `folder` when it is missing and tells whether it is this user's alone: a folder owned by
// the user that nobody else may enter, reached by a name the user owns (a link made by someone
// else could be turned elsewhere after this check).
bool isPrivateFolder(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    const uid_t user = ::geteuid();
    struct stat name {};
    struct stat target {};
    return ::lstat(path.constData(), &name) == 0 && name.st_uid == user &&
           ::stat(path.constData(), &target) == 0 && S_ISDIR(target.st_mode) &&
           target.st_uid == user && (target.st_mode & 077) == 0;
}

// Whether the process at the other end of this connected local socket runs as this user.
bool peerIsThisUser(const QLocalSocket& socket) {
    ucred peer{};
    socklen_t size = sizeof peer;
    if (::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0)
        return false;
    return peer.uid == ::geteuid();
}

} // namespace

SingleInstance::SingleInstance(QString folder, QObject* parent)
    : QObject(parent), m_folder(std::move(folder)) {
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::accept);
}

SingleInstance::~SingleInstance() {
    if (m_server.isListening()) {
        m_server.close();
        FileCleanup::remove(socketPath(), lcShell);
    }
}

QString SingleInstance::defaultFolder() {
    // $XDG_RUNTIME_DIR belongs to the user alone (Qt checks its owner and mode 0700).
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return runtime;
    // The temporary folder is shared: the user's own folder there, checked before use.
    return QDir(QDir::tempPath()).filePath(QStringLiteral("quellin-%1").arg(::geteuid()));
}

QString SingleInstance::socketPath() const {
    return QDir(m_folder).filePath(QStringLiteral("quellin.socket"));
}

SingleInstance::Role SingleInstance::start(const QStringList& files, int timeoutMs) {
    if (!isPrivateFolder(m_folder)) {
        qCWarning(lcShell, "Quellin: %s is not yours alone; running as a separate instance",
                  qPrintable(m_folder));
        return Role::standalone;
    }
    m_lock = std::make_unique<QLockFile>(QDir(m_folder).filePath(QStringLiteral("quellin.lock")));
    // The lock is stale only when the process that took it is gone, however old it is.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        // A socket left by an instance that crashed is in the way of listening.
        QLocalServer::removeServer(socketPath());
        m_server.setSocketOptions(QLocalServer::UserAccessOption);
        if (m_server.listen(socketPath()))
            return Role::primary;
        qCWarning(lcShell, "Quellin: cannot listen on %s: %s", qPrintable(socketPath()),
                  qPrintable(m_server.errorString()));
        return Role::standalone;
    }
    return handOver(files, timeoutMs) ? Role::handedOver : Role::standalone;
}

bool SingleInstance::handOver(const QStringList& files, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    // The running instance may have taken the lock a moment ago and not be listening yet.
    while (true) {
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(std::max<qint64>(deadline.remainingTime(), 0)))
            break;
        if (deadline.hasExpired()) {
            qCDebug(lcShell) << "the running instance didn't answer at" << socketPath() << "-"
                             << socket.errorString() << "; running as a separate instance";
            return false;
        }
        QThread::msleep(50);
    }
    if (!peerIsThisUser(socket)) {
        qCWarning(lcShell, "Quellin: %s belongs to another user; running as a separate instance",
                  qPrintable(socketPath()));
        return false;
    }
    QByteArray message =
        QJsonDocument(QJsonArray::fromStringList(files)).toJson(QJsonDocument::Compact);
    message.append('\n');
    socket.write(message);
    QByteArray answer;
    while (!answer.endsWith('\n')) {
        if (!socket.waitForReadyRead(std::max<qint64>(deadline.remainingTime(), 1))) {
            qCDebug(lcShell) << "the running instance didn't take the files -"
                             << socket.errorString() << "; running as a separate instance";
            return false;
        }
        answer += socket.readAll();
    }
    if (answer != acknowledgement)
        qCDebug(lcShell) << "the running instance answered" << answer
                         << "; running as a separate instance";
    return answer == acknowledgement;
}

void SingleInstance::accept() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        if (!peerIsThisUser(*socket)) {
            qCDebug(lcShell) << "turned away a connection from another user";
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > maximumMessage) {
                    qCDebug(lcShell)
                        << "dropped a hand-over longer than" << maximumMessage << "bytes";
                    socket->abort();
                }
                return;
            }
            const QByteArray line = socket->readLine(maximumMessage);
            const QJsonDocument document = QJsonDocument::fromJson(line.trimmed());
            if (!document.isArray()) {
                qCDebug(lcShell) << "dropped a hand-over that isn't a list of files";
                socket->abort();
                return;
            }
            QStringList files;
            for (const QJsonValue& value : document.array())
                if (value.isString())
                    files.append(value.toString());
            socket->write(acknowledgement);
            socket->flush();
            socket->disconnectFromServer();
            Q_EMIT filesReceived(files);
        });
    }
}
