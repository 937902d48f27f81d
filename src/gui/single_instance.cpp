#include "gui/single_instance.h"

#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace quillon::gui {

namespace {

constexpr char kActivate[] = "activate\n";
constexpr qsizetype kMaxRequest = 64;

QString defaultDirectory() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists()) {
        return runtime;
    }
    return QDir::temp().filePath(QStringLiteral("quillon-%1").arg(getuid()));
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

SingleInstance::Role SingleInstance::start() {
    if (!QDir().mkpath(directory_)) {
        return Role::failed;
    }
    lock_ = std::make_unique<QLockFile>(lockPath());
    // A lock left by a program that died is taken over (QLockFile checks
    // whether its process still exists).
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(100)) {
        return lock_->error() == QLockFile::LockFailedError ? Role::second : Role::failed;
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
            return sent;
        }
        QThread::msleep(50);
    }
    return false;
}

}  // namespace quillon::gui
