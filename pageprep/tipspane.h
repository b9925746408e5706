#pragma once

#include <QPlainTextEdit>
#include <filesystem>

#include "platform/displaytext.h"

// The hint beside a step or a tool: read-only text in the tooltip colour, which the user may
// rewrite while a hint editor is on.
class TipsPane : public QPlainTextEdit {
public:
    TipsPane(const QString& objectName, QWidget* parent = nullptr);

    // Shows the file's text. Throws FileError; the pane then stays as it was.
    void load(const std::filesystem::path& file);
    // Writes the pane's text, lines ended by CR LF, keeping the bytes of every line read from the
    // file that the user left as it was. Throws FileError.
    void save(const std::filesystem::path& file) const;

private:
    LineBytes m_loaded;
};
