#pragma once

// One running program per user session. The first start holds a lock file
// and listens on a local socket beside it (both in $XDG_RUNTIME_DIR, or a
// folder of our own under the temporary folder); a second start finds the lock
// taken, asks the first over the socket to come to the front, and ends without
// a window. The folder must be the user's own and closed to others (0700);
// a lock whose holder does not answer on the socket is stale and taken over.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

namespace quillon::gui {

class SingleInstance : public QObject {
    Q_OBJECT

  public:
    enum class Role { first, second, failed };

    // `directory` empty: $XDG_RUNTIME_DIR, else a per-user folder of the
    // system's temporary folder.
    explicit SingleInstance(const QString& directory = QString(),
                            const QString& name = "quillon-gaming");
    ~SingleInstance() override;

    // Takes the lock and starts listening (first), or finds the program
    // running and answering (second). `failed`: neither worked (no usable
    // folder, see failureReason()); the caller may run without the guard. Call once.
    // `answerTimeoutMs`: how long a lock's holder may take to answer on the socket.
    Role start(int answerTimeoutMs = 2000);

    // Why start() failed or activateFirst() could not reach the first, for the user.
    QString failureReason() const { return failureReason_; }

    // As the second instance: asks the first to come to the front. False when
    // it could not be reached within `timeoutMs`.
    bool activateFirst(int timeoutMs = 2000);

    QString lockPath() const;
    QString socketPath() const;

  Q_SIGNALS:
    // The first instance was asked to come to the front.
    void activationRequested();

  private:
    void acceptConnections();
    bool prepareDirectory();
    bool firstAnswers(int timeoutMs) const;

    QString directory_;
    QString name_;
    QString failureReason_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<QLocalServer> server_;
};

}  // namespace quillon::gui
