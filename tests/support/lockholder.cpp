#include "support/lockholder.h"

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orvik::test {

namespace {

// In the child: lock, say so, then wait for the end of the pipe or the time.
[[noreturn]] void holdInChild(const std::filesystem::path& file, int toldFd, int letGoFd,
                              std::chrono::milliseconds holdFor) {
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT, 0666);
    const char locked = fd >= 0 && ::flock(fd, LOCK_EX) == 0 ? 'y' : 'n';
    if (::write(toldFd, &locked, 1) != 1 || locked != 'y')
        ::_exit(1);
    pollfd waitFor{letGoFd, POLLIN, 0};
    ::poll(&waitFor, 1, static_cast<int>(holdFor.count()));
    ::_exit(0);
}

} // namespace

LockHolder::LockHolder(const std::filesystem::path& file, std::chrono::milliseconds holdFor) {
    int told[2], letGo[2];
    if (::pipe(told) != 0 || ::pipe(letGo) != 0)
        return;
    child_ = ::fork();
    if (child_ == 0) {
        ::close(told[0]);
        ::close(letGo[1]);
        holdInChild(file, told[1], letGo[0], holdFor);
    }
    ::close(told[1]);
    ::close(letGo[0]);
    letGo_ = letGo[1];
    char locked = 'n';
    holding_ = child_ > 0 && ::read(told[0], &locked, 1) == 1 && locked == 'y';
    ::close(told[0]);
}

LockHolder::~LockHolder() {
    if (letGo_ >= 0)
        ::close(letGo_);
    if (child_ > 0) {
        ::kill(child_, SIGKILL);
        int status = 0;
        ::waitpid(child_, &status, 0);
    }
}

} // namespace orvik::test
