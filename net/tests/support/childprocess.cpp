#include "net/tests/support/childprocess.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

pid_t spawn(const std::vector<std::string>& command, const std::string& outputFile) {
    std::vector<char*> argv;
    for (const std::string& part : command)
        argv.push_back(const_cast<char*>(part.c_str()));
    argv.push_back(nullptr);
    const pid_t parent = ::getpid();
    int ready[2];
    if (::pipe2(ready, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot start " + command[0]);
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(ready[0]);
        ::close(ready[1]);
        throw std::runtime_error("cannot start " + command[0]);
    }
    if (pid == 0) {
        // A test program that crashes must not leave its servers running (and holding its
        // output open): the child ends with it.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent)
            ::_exit(127);
        int in = ::open("/dev/null", O_RDONLY);
        ::dup2(in, 0);
        if (!outputFile.empty()) {
            int out = ::open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            ::dup2(out, 1);
            ::dup2(out, 2);
        }
        ::execvp(argv[0], argv.data());
        const char failed = 1;
        (void)!::write(ready[1], &failed, 1);
        ::_exit(127);
    }
    ::close(ready[1]);
    char failed = 0;
    const bool execFailed = ::read(ready[0], &failed, 1) == 1;
    ::close(ready[0]);
    if (execFailed) {
        ::waitpid(pid, nullptr, 0);
        throw std::runtime_error("cannot start " + command[0]);
    }
    return pid;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& command) : m_pid(spawn(command, "")) {}

ChildProcess::~ChildProcess() {
    if (m_exited)
        return;
    ::kill(m_pid, SIGTERM);
    int status = 0;
    ::waitpid(m_pid, &status, 0);
}

bool ChildProcess::exited() {
    if (m_exited)
        return true;
    int status = 0;
    if (::waitpid(m_pid, &status, WNOHANG) == m_pid)
        m_exited = true;
    return m_exited;
}

int freeLoopbackPort() {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (fd >= 0)
            ::close(fd);
        throw std::runtime_error("no free port on 127.0.0.1");
    }
    ::close(fd);
    return ntohs(address.sin_port);
}

namespace {

bool accepts(int port) {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

// Closes the descriptors it holds on every way out.
struct Descriptors {
    int watch = -1;
    int child = -1;
    ~Descriptors() {
        if (watch >= 0)
            ::close(watch);
        if (child >= 0)
            ::close(child);
    }
};

}  // namespace

void waitUntilReady(const std::filesystem::path& pidFile, const std::vector<int>& ports, ChildProcess& child,
                    const std::string& what) {
    Descriptors fds;
    fds.watch = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    fds.child = static_cast<int>(::syscall(SYS_pidfd_open, child.pid(), 0));
    if (fds.watch < 0 || fds.child < 0 ||
        ::inotify_add_watch(fds.watch, pidFile.parent_path().c_str(), IN_CREATE | IN_MOVED_TO) < 0)
        throw std::runtime_error("cannot watch " + what + " start");
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::error_code ec;
    while (!std::filesystem::exists(pidFile, ec)) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(giveUp - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            throw std::runtime_error(what + " did not start within ten seconds");
        pollfd events[2] = {{fds.watch, POLLIN, 0}, {fds.child, POLLIN, 0}};
        ::poll(events, 2, static_cast<int>(left.count()));
        if (events[1].revents & POLLIN)
            throw std::runtime_error(what + " ended before it listened");
        char buffer[4096];
        while (::read(fds.watch, buffer, sizeof buffer) > 0) {
        }
    }
    for (int port : ports) {
        if (!accepts(port))
            throw std::runtime_error(what + " wrote its pid file but does not listen on port " +
                                     std::to_string(port));
    }
}

void runCommand(const std::vector<std::string>& command, const std::filesystem::path& outputFile) {
    pid_t pid = spawn(command, outputFile.string());
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::ifstream in(outputFile);
        std::stringstream output;
        output << in.rdbuf();
        throw std::runtime_error(command[0] + " failed: " + output.str());
    }
}
