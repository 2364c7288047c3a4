#include "platform/qt/single_instance.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>

namespace lumivane {

namespace {

constexpr char raise_message = 'r';
constexpr char command_line_message = 'c';
constexpr int wait_milliseconds = 3000;
constexpr int start_up_milliseconds = 20000;

}  // namespace

SingleInstance::SingleInstance(const QString& folder)
    : lock_path_(folder + QStringLiteral("/Lumivane.mutex")),
      socket_path_(folder + QStringLiteral("/Lumivane.socket")),
      lock_(lock_path_) {
    // Held as long as the program runs, however long that is; only a lock whose
    // process is gone counts as stale.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() {
    if (server_) server_->close();
}

InstanceClaim SingleInstance::claim() {
    if (lock_.tryLock(0)) return InstanceClaim::Claimed;
    return lock_.error() == QLockFile::LockFailedError ? InstanceClaim::Running : InstanceClaim::Failed;
}

bool SingleInstance::set_handler(std::function<void(InstanceRequest)> handler) {
    handler_ = std::move(handler);
    // A socket file left by a crashed program would block listening.
    QLocalServer::removeServer(socket_path_);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(server_.get(), &QLocalServer::newConnection, this, [this] { accept_connections(); });
    return !server_->listen(socket_path_);
}

void SingleInstance::accept_connections() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto read = [this, socket] {
            for (const char c : socket->readAll()) {
                if (c != raise_message && c != command_line_message) continue;
                const InstanceRequest request = c == raise_message ? InstanceRequest::Raise : InstanceRequest::OpenCommandLine;
                // The handler may ask the user, in whose event loop the socket can go:
                // it runs once the socket's signal has returned.
                QMetaObject::invokeMethod(this, [this, request] { handler_(request); }, Qt::QueuedConnection);
            }
        };
        QObject::connect(socket, &QLocalSocket::readyRead, socket, read);
        read();
    }
}

bool SingleInstance::send(InstanceRequest request) const {
    QLocalSocket socket;
    // The running program listens once it has started up, which may take a while.
    QDeadlineTimer deadline(start_up_milliseconds);
    for (;;) {
        socket.connectToServer(socket_path_);
        if (socket.waitForConnected(wait_milliseconds)) break;
        if (deadline.hasExpired()) return true;
        QThread::msleep(100);
    }
    const char message = request == InstanceRequest::Raise ? raise_message : command_line_message;
    socket.write(&message, 1);
    const bool failed = !socket.waitForBytesWritten(wait_milliseconds);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(wait_milliseconds);
    return failed;
}

}  // namespace lumivane
