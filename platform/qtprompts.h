#pragma once

#include <QString>
#include <filesystem>

#include "platform/prompts.h"

class QWidget;

// The real dialogs. Message boxes carry the application's display name as their title.
class QtPrompts : public Prompts {
public:
    // help/<topic>.html below programFolder is what openHelp shows.
    QtPrompts(std::filesystem::path programFolder, QWidget* parent = nullptr);

    void setParent(QWidget* parent) { m_parent = parent; }

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

    // "Desc|*.a|All|*.*" in the form Qt's file dialog takes: "Desc (*.a);;All (*.*)".
    static QStringList qtFilters(const std::string& filter);

private:
    std::optional<FileDialogResult> fileDialog(const FileDialogRequest& request, bool save);

    std::filesystem::path m_programFolder;
    QWidget* m_parent;
};
