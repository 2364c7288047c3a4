#pragma once
// One running program per user. The first start holds a lock file in the user's
// runtime folder and listens on a local socket beside it that only this user may
// reach; a later start finds the lock held, tells the running program through the
// socket, and ends. A lock left by a program that crashed is taken over.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace lumivane {

// What a later start asks of the running program.
enum class InstanceRequest { Raise, OpenCommandLine };

// Whether this start is the running program, a later start, or cannot tell because the
// lock file cannot be made.
enum class InstanceClaim { Claimed, Running, Failed };

class SingleInstance : public QObject {
public:
    // The lock "Lumivane.mutex" and the socket "Lumivane.socket" in folder.
    explicit SingleInstance(const QString& folder);
    ~SingleInstance() override;

    // Claims the program for this user.
    InstanceClaim claim();

    // Starts listening: requests of later starts go to handler, one call each, on the
    // event loop. True when the socket cannot be made.
    bool set_handler(std::function<void(InstanceRequest)> handler);

    // Sends a request to the running program, waiting for it to listen while it starts
    // up; true on failure (nobody answered).
    bool send(InstanceRequest request) const;

private:
    void accept_connections();

    QString lock_path_;
    QString socket_path_;
    QLockFile lock_;
    std::unique_ptr<QLocalServer> server_;
    std::function<void(InstanceRequest)> handler_;
};

}  // namespace lumivane
