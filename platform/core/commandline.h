#pragma once

#include <cstdio>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The command-line mode both programs share: "PROGRAM COMMAND [OPTIONS]", with the help and
// version requests every command line of ours answers alike. The texts are the program's own.

// Exit statuses: the job ran, it failed or could not start, the arguments were bad.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

struct CommandLineCommand {
    std::string name;
    std::string usage;  // what "COMMAND --help" and "help COMMAND" print
    // Returns the exit status; throws UsageError for bad arguments.
    std::function<int(const std::vector<std::string>& args)> run;
};

struct CommandLineProgram {
    std::string name;  // as the user types it
    std::string version;
    std::string usage;  // what "--help" and "help" print
    std::vector<CommandLineCommand> commands;
};

// Does what args (the arguments after the program's name) ask: "--help", "--version",
// "help [COMMAND]", or a command with its arguments. An error is one line on err that names the
// program and the command; bad arguments add a line pointing to the help and give status 2.
// Running out of memory, or any other exception that leaves a command, is a failure: a message
// and status 1, never an abort. Returns no value when args name no command (nothing, or options
// of the window toolkit): the program then opens its window.
std::optional<int> runCommandLine(const CommandLineProgram& program, const std::vector<std::string>& args,
                                  std::ostream& out, std::ostream& err);

// Flushes and closes stream. Returns the system's reason when what was written did not all
// reach its file (a full disk, for one); nothing when it did.
std::optional<std::string> closeOutput(std::FILE* stream);

// Writes text to standard output and flushes it. Throws FileError ("cannot write to standard
// output: " and the reason) when it does not all get there; closing standard output then does
// not tell it again.
void writeStandardOutput(std::string_view text);

// Closes standard output at the end of a command, so a report that did not reach it is a
// failure rather than a silent loss: returns status, or 1 after a message on err.
int finishStandardOutput(const std::string& program, int status, std::ostream& err);
