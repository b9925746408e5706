#include "platform/consoleprompts.h"

#include <ostream>

ConsolePrompts::ConsolePrompts(std::ostream& out, bool answerYes) : m_out(out), m_answerYes(answerYes) {}

void ConsolePrompts::write(const char* kind, const std::string& text) {
    std::string shown;
    // A box's paragraphs are separated by LF CR LF CR, and some boxes break their lines with a
    // lone CR; a terminal wants one line feed for each break.
    for (size_t i = 0; i < text.size(); ++i) {
        const bool nextToLineFeed =
            (i > 0 && text[i - 1] == '\n') || (i + 1 < text.size() && text[i + 1] == '\n');
        if (text[i] != '\r')
            shown += text[i];
        else if (!nextToLineFeed)
            shown += '\n';
    }
    m_out << kind << shown << '\n';
    m_out.flush();
}

void ConsolePrompts::information(const std::string& text) {
    write("", text);
}
void ConsolePrompts::warning(const std::string& text) {
    write("warning: ", text);
}
void ConsolePrompts::error(const std::string& text) {
    write("error: ", text);
}
void ConsolePrompts::message(const std::string& text) {
    write("", text);
}

bool ConsolePrompts::confirm(const std::string& text) {
    write("", text + (m_answerYes ? " (answered Yes)" : " (answered No)"));
    return m_answerYes;
}

Prompts::Answer ConsolePrompts::question(const std::string& text) {
    write("", text + (m_answerYes ? " (answered Yes)" : " (answered No)"));
    return m_answerYes ? Answer::Yes : Answer::No;
}

std::optional<std::string> ConsolePrompts::input(const std::string&, const std::string&, const std::string&) {
    return std::nullopt;
}

std::optional<FileDialogResult> ConsolePrompts::openFile(const FileDialogRequest&) {
    return std::nullopt;
}
std::optional<FileDialogResult> ConsolePrompts::saveFile(const FileDialogRequest&) {
    return std::nullopt;
}
bool ConsolePrompts::choosePrinter(QPrinter&) {
    return false;
}
void ConsolePrompts::openUrl(const std::string&) {}
void ConsolePrompts::openHelp(const std::string&) {}
