#include "support/ordinary_user.h"

#include <iostream>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lumivane::testing {

bool as_ordinary_user(const TempFolder& folder, const std::function<bool()>& check) {
    if (::geteuid() != 0) return check();
    std::cout << "[   NOTE   ] runs as root: the ordinary user's case runs as nobody\n";
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::chown(folder.native().c_str(), 65534, 65534) == 0 && ::setgroups(0, nullptr) == 0 &&
                             ::setgid(65534) == 0 && ::setuid(65534) == 0;
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace lumivane::testing
