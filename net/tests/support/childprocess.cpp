#include "net/tests/support/childprocess.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

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

void waitUntilListening(int port, ChildProcess& child, const std::string& what) {
    auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < giveUp) {
        if (child.exited())
            throw std::runtime_error(what + " ended before it listened");
        int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<uint16_t>(port));
        bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        ::close(fd);
        if (connected)
            return;
        // Start-up of a server process, not a pause of the test's logic.
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    throw std::runtime_error(what + " did not listen on port " + std::to_string(port));
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
