// A child process for the tests of several programs on one database: it runs a function and
// talks to the parent through two pipes, so no test depends on how long anything takes.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <initializer_list>

namespace jettest {

// A child process running `body(child)`; it ends with _exit (3 when body threw).
class Child {
public:
    template <typename F> explicit Child(F&& body) {
        int up[2], down[2];
        if (::pipe(up) != 0 || ::pipe(down) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(up[0]);
            ::close(down[1]);
            toParent_ = up[1];
            fromParent_ = down[0];
            int rc = 0;
            try {
                body(*this);
            } catch (...) {
                rc = 3;
            }
            ::_exit(rc);
        }
        ::close(up[1]);
        ::close(down[0]);
        fromChild_ = up[0];
        toChild_ = down[1];
    }
    ~Child() {
        if (pid_ > 0 && status_ < 0)
            kill();
        for (int fd : {fromChild_, toChild_})
            if (fd >= 0)
                ::close(fd);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool started() const { return pid_ > 0; }
    // Child side.
    void signalParent() const { send(toParent_); }
    void waitForParent() const { receive(fromParent_); }
    // Parent side.
    bool waitForChild() const { return receive(fromChild_); }
    void signalChild() const { send(toChild_); }
    int exitStatus() {
        int status = 0;
        ::waitpid(pid_, &status, 0);
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128;
        return status_;
    }
    void kill() {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        status_ = 128;
    }

private:
    static void send(int fd) {
        const char c = 'x';
        if (::write(fd, &c, 1) != 1)
            ::_exit(4);
    }
    static bool receive(int fd) {
        char c = 0;
        return ::read(fd, &c, 1) == 1;
    }

    pid_t pid_ = -1;
    int status_ = -1;
    int toParent_ = -1, fromParent_ = -1, fromChild_ = -1, toChild_ = -1;
};

} // namespace jettest
