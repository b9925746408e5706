#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

// A program started for a test and ended (SIGTERM, then waited for) with the object.
class ChildProcess {
public:
    // Throws std::runtime_error when the program cannot be started.
    explicit ChildProcess(const std::vector<std::string>& command);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool exited();
    pid_t pid() const { return m_pid; }

private:
    pid_t m_pid = -1;
    bool m_exited = false;
};

// A port on 127.0.0.1 that nothing listens on right now.
int freeLoopbackPort();

// Waits until a server has written its pid file, which the servers we start (nginx, tinyproxy)
// do once their ports are open, then checks that each port accepts a connection. Waits on
// events (the file's folder and the child's end), never on a clock. Throws std::runtime_error,
// naming what, after ten seconds, when the child has ended, or when a port is not open.
void waitUntilReady(const std::filesystem::path& pidFile, const std::vector<int>& ports, ChildProcess& child,
                    const std::string& what);

// Runs a command to its end; throws std::runtime_error, with its output, when it fails.
void runCommand(const std::vector<std::string>& command, const std::filesystem::path& outputFile);
