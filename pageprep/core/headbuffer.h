#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Case-insensitive (ASCII) search for `what` lying wholly inside [from, to) of `text`; npos when
// there is none. `to` past the end means the end.
std::size_t findIgnoringCase(std::string_view text, std::string_view what, std::size_t from = 0,
                             std::size_t to = std::string_view::npos);
bool containsIgnoringCase(std::string_view text, std::string_view what);

// The page head while the reader rewrites it: one text with CR LF breaks, also seen as a list of
// lines. Either view may be changed; the other follows when next asked for, so a run of line edits
// or of text edits costs one conversion, not one per edit.
//
// The text is the lines joined with CR LF, nothing after the last one, and the lines are the text
// split at every CR LF, so the two views always describe the same characters. A line set or inserted
// with CR LF inside stays one line until the text is set again, which is how a block of joined
// lines is put in place before being cut up.
class HeadBuffer {
public:
    explicit HeadBuffer(std::string text = {});

    const std::string& text() const;
    void setText(std::string text);
    std::size_t find(std::string_view what, std::size_t from = 0,
                     std::size_t to = std::string_view::npos) const;
    void replace(std::size_t position, std::size_t count, std::string_view with);

    // Index of the first line equal to `line` without regard to letter case, -1 when there is none.
    int indexOfLine(std::string_view line) const;
    int lineCount() const;
    // Where line `index` starts in the text.
    std::size_t lineStart(int index) const;
    const std::string& line(int index) const;
    void setLine(int index, std::string text);
    void insertLine(int index, std::string text);
    void deleteLine(int index);
    // Makes each line set or inserted with CR LF inside several lines, as setting the text again
    // would, without rebuilding the text.
    void splitEmbeddedBreaks();
    // For edits that move many lines at once.
    std::vector<std::string>& lines();

private:
    void syncText() const;
    void syncLines() const;

    // Which view was changed last; the other is rebuilt from it on demand.
    enum class Current { Both, Text, Lines };
    mutable std::string m_text;
    mutable std::vector<std::string> m_lines;
    mutable Current m_current = Current::Text;
};
