#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class QPrinter;

// A file dialog as the programs describe it: filters in the "Description|*.ext|..." form and a
// 1-based filter index. Every field has a default, so a request names only what it sets.
struct FileDialogRequest {
    std::string title = {};
    std::string filter = {};
    std::filesystem::path startFolder = {};
    std::string defaultExtension = {};  // without the dot; added to a name typed without one
    int filterIndex = 1;
    std::string fileName = {};  // preset name
    bool multiSelect = false;   // an open dialog in which several files may be chosen
};

struct FileDialogResult {
    std::filesystem::path path;
    int filterIndex = 1;
    // Every file chosen, in the dialog's order, when the request allowed several; path is the first.
    std::vector<std::filesystem::path> paths = {};
};

// Everything the programs tell or ask the user goes through this interface, so windows stay
// testable: the Qt implementation shows real dialogs, the scripted one records and answers.
// Texts are bytes as the programs hold them (UTF-8 for what they write themselves).
class Prompts {
public:
    virtual ~Prompts() = default;

    virtual void information(const std::string& text) = 0;
    virtual void warning(const std::string& text) = 0;
    virtual void error(const std::string& text) = 0;
    virtual void message(const std::string& text) = 0;  // a plain box with an OK button
    virtual bool confirm(const std::string& text) = 0;  // Yes and No; true for Yes

    // Yes, No and Cancel, as "save your changes before closing?" asks: Cancel (also the window's
    // close button or Escape) means "do neither, leave things as they are".
    enum class Answer { Yes, No, Cancel };
    virtual Answer question(const std::string& text) = 0;

    virtual std::optional<std::string> input(const std::string& caption, const std::string& prompt,
                                             const std::string& initial) = 0;
    virtual std::optional<FileDialogResult> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<FileDialogResult> saveFile(const FileDialogRequest& request) = 0;
    // Shows the print dialog for printer; true when the user confirmed it.
    virtual bool choosePrinter(QPrinter& printer) = 0;

    virtual void openUrl(const std::string& url) = 0;
    // Opens a help topic: a page help/<topic>.html of the program folder.
    virtual void openHelp(const std::string& topic) = 0;
};
