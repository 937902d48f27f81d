#include "gui/single_instance.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace quillon::gui {

namespace {

constexpr char kActivate[] = "activate\n";
constexpr qsizetype kMaxRequest = 64;

QString defaultDirectory() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && QDir(runtime).exists()) {
        return runtime;
    }
    return QDir::temp().filePath(QStringLiteral("quillon-%1").arg(getuid()));
}

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

}  // namespace

SingleInstance::SingleInstance(const QString& directory, const QString& name)
    : directory_(directory.isEmpty() ? defaultDirectory() : directory), name_(name) {}

SingleInstance::~SingleInstance() {
    if (server_ != nullptr) {
        server_->close();
    }
}

QString SingleInstance::lockPath() const {
    return QDir(directory_).filePath(name_ + ".lock");
}
QString SingleInstance::socketPath() const {
    return QDir(directory_).filePath(name_ + ".socket");
}

bool SingleInstance::prepareDirectory() {
    // Under a shared temporary folder anybody may have made the folder first:
    // it is ours only when we own it, and it is kept closed to everyone else,
    // so nobody can plant a lock that shuts us out or a socket that listens
    // in our place.
    const QByteArray path = QFile::encodeName(directory_);
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST) {
        failureReason_ = QStringLiteral("cannot create %1: %2").arg(directory_, systemError());
        return false;
    }
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0) {
        failureReason_ = QStringLiteral("cannot use %1: %2").arg(directory_, systemError());
        return false;
    }
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) {
        failureReason_ =
            QStringLiteral("%1 is not a folder of this user; refusing to use it").arg(directory_);
        return false;
    }
    if ((st.st_mode & 077) != 0 && ::chmod(path.constData(), 0700) != 0) {
        failureReason_ =
            QStringLiteral("cannot close %1 to other users: %2").arg(directory_, systemError());
        return false;
    }
    return true;
}

bool SingleInstance::firstAnswers(int timeoutMs) const {
    QElapsedTimer clock;
    clock.start();
    // The first instance may hold the lock a moment before it listens.
    do {
        QLocalSocket socket;
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(
                static_cast<int>(std::clamp<qint64>(timeoutMs - clock.elapsed(), 1, timeoutMs)))) {
            socket.disconnectFromServer();
            return true;
        }
        QThread::msleep(50);
    } while (clock.elapsed() < timeoutMs);
    return false;
}

SingleInstance::Role SingleInstance::start(int answerTimeoutMs) {
    if (!prepareDirectory()) {
        return Role::failed;
    }
    lock_ = std::make_unique<QLockFile>(lockPath());
    // A lock left by a program that died is taken over (QLockFile checks
    // whether its process still exists).
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(100)) {
        if (lock_->error() != QLockFile::LockFailedError) {
            failureReason_ = QStringLiteral("cannot create the lock %1").arg(lockPath());
            return Role::failed;
        }
        if (firstAnswers(answerTimeoutMs)) {
            return Role::second;
        }
        // Held by nobody who answers: an empty or garbled lock file, or one
        // whose process is gone or hung. It locks nobody out.
        (void)lock_->removeStaleLockFile();
        if (!lock_->tryLock(100)) {
            failureReason_ = QStringLiteral(
                                 "the lock %1 is held by a program that does not answer and "
                                 "cannot be removed")
                                 .arg(lockPath());
            return Role::failed;
        }
    }
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(socketPath());  // a socket file left behind; we hold the lock
    if (!server_->listen(socketPath())) {
        server_.reset();
        return Role::first;  // still the only instance; others just cannot reach us
    }
    connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    return Role::first;
}

void SingleInstance::acceptConnections() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kMaxRequest) {
                    socket->abort();  // not one of ours
                }
                return;
            }
            const QByteArray request = socket->readLine(kMaxRequest);
            socket->disconnectFromServer();
            if (request == kActivate) {
                Q_EMIT activationRequested();
            }
        });
    }
}

bool SingleInstance::activateFirst(int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    // The first instance may hold the lock a moment before it listens.
    while (clock.elapsed() < timeoutMs) {
        QLocalSocket socket;
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(
                static_cast<int>(std::max<qint64>(1, timeoutMs - clock.elapsed())))) {
            socket.write(kActivate);
            const bool sent = socket.waitForBytesWritten(
                static_cast<int>(std::max<qint64>(1, timeoutMs - clock.elapsed())));
            socket.disconnectFromServer();
            if (!sent) {
                failureReason_ = QStringLiteral("the running program did not take the request");
            }
            return sent;
        }
        QThread::msleep(50);
    }
    failureReason_ = QStringLiteral("the running program does not answer on %1").arg(socketPath());
    return false;
}

}  // namespace quillon::gui
