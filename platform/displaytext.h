#pragma once

#include <QString>
#include <map>
#include <string>
#include <string_view>

// Files hold 8-bit text of no declared encoding. Windows show it as UTF-8 where the bytes are
// valid UTF-8 and as Windows-1252 where they are not, so old files keep their accented letters.
QString toDisplay(std::string_view bytes);

// What a user typed, as the bytes the programs keep (UTF-8).
std::string fromDisplay(const QString& text);

// Lines read from a file that are not valid UTF-8 change their bytes when shown and saved again.
// This remembers such lines, so a text the user edited keeps the stored bytes of every line he
// left as it was.
class LineBytes {
public:
    // Remembers the lines of bytes (any line breaks) whose shown form differs from the bytes.
    void remember(std::string_view bytes);
    void clear() { m_lines.clear(); }
    // text as fromDisplay gives it, with each line that is the shown form of a remembered line
    // put back as that line's bytes. Line breaks stay as they are in text.
    std::string restore(std::string_view text) const;

private:
    std::map<std::string, std::string> m_lines;  // shown form (UTF-8) -> stored bytes
};
