#include "platform/core/commandline.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <new>

#include "platform/core/arguments.h"
#include "platform/core/safefile.h"

namespace {

const std::string kCannotWrite = "cannot write to standard output: ";
const char* const kUnknownReason = "write error";

bool isHelp(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}

const CommandLineCommand* findCommand(const CommandLineProgram& program, const std::string& name) {
    for (const CommandLineCommand& command : program.commands) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

int badArguments(std::ostream& err, const std::string& who, const std::string& what,
                 const std::string& helpCommand) {
    err << who << ": " << what << "\nTry '" << helpCommand << " --help' for more information.\n";
    return kExitUsage;
}

int runCommand(const CommandLineProgram& program, const CommandLineCommand& command,
               const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::string who = program.name + " " + command.name;
    for (const std::string& arg : args) {
        if (arg == "--")
            break;
        if (isHelp(arg)) {
            out << command.usage;
            return kExitSuccess;
        }
    }
    try {
        return command.run(args);
    } catch (const UsageError& e) {
        return badArguments(err, who, e.what(), who);
    } catch (const std::bad_alloc&) {
        // Nothing here may allocate: the message is built from what exists already.
        err << who << ": out of memory\n";
        return kExitFailure;
    } catch (const std::exception& e) {
        err << who << ": " << e.what() << '\n';
        return kExitFailure;
    }
}

}  // namespace

std::optional<int> runCommandLine(const CommandLineProgram& program, const std::vector<std::string>& args,
                                  std::ostream& out, std::ostream& err) {
    if (args.empty())
        return std::nullopt;
    const std::string& first = args.front();
    if (isHelp(first)) {
        out << program.usage;
        return kExitSuccess;
    }
    if (first == "--version") {
        out << program.name << ' ' << program.version << '\n';
        return kExitSuccess;
    }
    if (first == "help") {
        if (args.size() == 1) {
            out << program.usage;
            return kExitSuccess;
        }
        if (args.size() > 2)
            return badArguments(err, program.name + " help", "give one command at most", program.name);
        if (const CommandLineCommand* command = findCommand(program, args[1])) {
            out << command->usage;
            return kExitSuccess;
        }
        return badArguments(err, program.name, "unknown command " + args[1], program.name);
    }
    if (const CommandLineCommand* command = findCommand(program, first))
        return runCommand(program, *command, {args.begin() + 1, args.end()}, out, err);
    // Options before any command belong to the window toolkit ("-platform offscreen").
    if (first.starts_with("-"))
        return std::nullopt;
    return badArguments(err, program.name, "unknown command " + first, program.name);
}

std::optional<std::string> closeOutput(std::FILE* stream) {
    errno = 0;
    bool failed = std::fflush(stream) != 0;
    int error = failed ? errno : 0;
    failed = std::ferror(stream) != 0 || failed;
    if (std::fclose(stream) != 0 && !failed) {
        failed = true;
        error = errno;
    }
    if (!failed)
        return std::nullopt;
    return error != 0 ? std::string(std::strerror(error)) : std::string(kUnknownReason);
}

void writeStandardOutput(std::string_view text) {
    std::cout.flush();
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0)
        return;
    const int error = errno;
    std::clearerr(stdout);
    throw FileError(kCannotWrite + (error != 0 ? std::string(std::strerror(error)) : "write error"));
}

int finishStandardOutput(const std::string& program, int status, std::ostream& err) {
    // The reason a flush failed is only known right after it.
    errno = 0;
    std::cout.flush();
    const int flushError = std::cout ? 0 : errno;
    std::optional<std::string> reason = closeOutput(stdout);
    if (!reason && flushError == 0 && std::cout)
        return status;
    if ((!reason || *reason == kUnknownReason) && flushError != 0)
        reason = std::strerror(flushError);
    err << program << ": " << kCannotWrite << reason.value_or(kUnknownReason) << '\n';
    return kExitFailure;
}
