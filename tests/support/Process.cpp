#include "tests/support/Process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace testsupport {

namespace {

// This process's environment with `env` applied, as "NAME=value" texts.
std::vector<std::string> childEnvironment(const std::vector<EnvSetting>& env) {
    std::vector<std::string> out;
    for (char** e = environ; e && *e; ++e) {
        const std::string_view entry(*e);
        const std::string_view name = entry.substr(0, entry.find('='));
        bool changed = false;
        for (const auto& setting : env)
            changed = changed || setting.first == name;
        if (!changed)
            out.emplace_back(entry);
    }
    for (const auto& [name, value] : env)
        if (value)
            out.push_back(name + "=" + *value);
    return out;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> p;
    for (auto& t : texts)
        p.push_back(t.data());
    p.push_back(nullptr);
    return p;
}

} // namespace

int runProcess(const std::vector<std::string>& argv, const std::vector<EnvSetting>& env,
               const std::string& log) {
    // Everything the child needs is made before the fork, so that the child only calls what is
    // safe between fork and exec in a program with threads.
    std::vector<std::string> args = argv;
    std::vector<std::string> environment = childEnvironment(env);
    const std::vector<char*> argp = pointers(args);
    const std::vector<char*> envp = pointers(environment);
    const int out = log.empty() ? -1 : ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    const pid_t pid = ::fork();
    if (pid < 0) {
        if (out >= 0)
            ::close(out);
        throw std::runtime_error(std::string("fork failed: ") + std::strerror(errno));
    }
    if (pid == 0) {
        if (out >= 0) {
            ::dup2(out, 1);
            ::dup2(out, 2);
        }
        ::execve(argp[0], argp.data(), envp.data());
        ::_exit(127);
    }
    if (out >= 0)
        ::close(out);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace testsupport
