#pragma once

#include <iosfwd>

#include "platform/prompts.h"

// Prompts for the command line: what a window would show in a box goes to the error stream,
// every question gets the one answer given at construction (the command line already said what
// the user wants), and no dialog can be shown.
class ConsolePrompts : public Prompts {
public:
    explicit ConsolePrompts(std::ostream& out, bool answerYes = false);

    void information(const std::string& text) override;
    void warning(const std::string& text) override;
    void error(const std::string& text) override;
    void message(const std::string& text) override;
    bool confirm(const std::string& text) override;
    Answer question(const std::string& text) override;
    std::optional<std::string> input(const std::string& caption, const std::string& prompt,
                                     const std::string& initial) override;
    std::optional<FileDialogResult> openFile(const FileDialogRequest& request) override;
    std::optional<FileDialogResult> saveFile(const FileDialogRequest& request) override;
    bool choosePrinter(QPrinter& printer) override;
    void openUrl(const std::string& url) override;
    void openHelp(const std::string& topic) override;

private:
    void write(const char* kind, const std::string& text);

    std::ostream& m_out;
    bool m_answerYes;
};
