#include "pageprep/core/headbuffer.h"

#include <cstring>
#include <stdexcept>

#include "platform/core/text.h"

namespace {

char foldAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

const std::string_view LineBreak = "\r\n";

}  // namespace

std::size_t findIgnoringCase(std::string_view text, std::string_view what, std::size_t from, std::size_t to) {
    if (to > text.size())
        to = text.size();
    if (what.empty() || from > to || to - from < what.size())
        return std::string_view::npos;
    const std::size_t last = to - what.size();
    auto matchesAt = [&](std::size_t i) {
        for (std::size_t k = 0; k < what.size(); ++k) {
            if (foldAscii(text[i + k]) != foldAscii(what[k]))
                return false;
        }
        return true;
    };
    // memchr skips to the candidates when the text looked for holds a character without a second
    // letter case; a tag character is rarer in a head than a blank, so it is preferred.
    std::size_t anchor = std::string_view::npos;
    for (std::size_t k = 0; k < what.size(); ++k) {
        if (!isAsciiLetter(what[k]) && (anchor == std::string_view::npos || what[anchor] == ' '))
            anchor = k;
    }
    if (anchor == std::string_view::npos) {
        for (std::size_t i = from; i <= last; ++i) {
            if (matchesAt(i))
                return i;
        }
        return std::string_view::npos;
    }
    const char* const base = text.data();
    const char* const end = base + last + anchor + 1;
    const char wanted = what[anchor];
    for (const char* p = base + from + anchor; p < end; ++p) {
        // A call to memchr only pays on long stretches; head lines are short.
        if (end - p > 64) {
            p = static_cast<const char*>(std::memchr(p, wanted, static_cast<std::size_t>(end - p)));
            if (!p)
                break;
        } else {
            while (p < end && *p != wanted)
                ++p;
            if (p == end)
                break;
        }
        const std::size_t i = static_cast<std::size_t>(p - base) - anchor;
        if (matchesAt(i))
            return i;
    }
    return std::string_view::npos;
}

bool containsIgnoringCase(std::string_view text, std::string_view what) {
    return findIgnoringCase(text, what) != std::string_view::npos;
}

HeadBuffer::HeadBuffer(std::string text) : m_text(std::move(text)) {}

void HeadBuffer::syncText() const {
    if (m_current != Current::Lines)
        return;
    std::size_t size = 0;
    for (const std::string& l : m_lines)
        size += l.size() + LineBreak.size();
    m_text.clear();
    m_text.reserve(size);
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (i)
            m_text += LineBreak;
        m_text += m_lines[i];
    }
    m_current = Current::Both;
}

void HeadBuffer::syncLines() const {
    if (m_current != Current::Text)
        return;
    m_lines.clear();
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = m_text.find(LineBreak, start);
        if (end == std::string::npos) {
            m_lines.emplace_back(m_text, start);
            break;
        }
        m_lines.emplace_back(m_text, start, end - start);
        start = end + LineBreak.size();
    }
    m_current = Current::Both;
}

const std::string& HeadBuffer::text() const {
    syncText();
    return m_text;
}

void HeadBuffer::setText(std::string text) {
    m_text = std::move(text);
    m_current = Current::Text;
}

std::size_t HeadBuffer::find(std::string_view what, std::size_t from, std::size_t to) const {
    return findIgnoringCase(text(), what, from, to);
}

void HeadBuffer::replace(std::size_t position, std::size_t count, std::string_view with) {
    syncText();
    if (position > m_text.size())
        throw std::out_of_range("HeadBuffer::replace");
    m_text.replace(position, count, with);
    m_current = Current::Text;
}

int HeadBuffer::indexOfLine(std::string_view line) const {
    // Scans the text in place when it is current, so a lookup never splits the whole head.
    if (m_current == Current::Lines) {
        for (std::size_t i = 0; i < m_lines.size(); ++i) {
            if (equalsIgnoringCase(m_lines[i], line))
                return static_cast<int>(i);
        }
        return -1;
    }
    std::string_view rest = m_text;
    for (int index = 0;; ++index) {
        const std::size_t end = rest.find(LineBreak);
        const std::string_view candidate = rest.substr(0, end);
        if (candidate.size() == line.size() && equalsIgnoringCase(candidate, line))
            return index;
        if (end == std::string_view::npos)
            return -1;
        rest.remove_prefix(end + LineBreak.size());
    }
}

int HeadBuffer::lineCount() const {
    syncLines();
    return static_cast<int>(m_lines.size());
}

std::size_t HeadBuffer::lineStart(int index) const {
    const std::string& all = text();
    std::size_t position = 0;
    for (int i = 0; i < index; ++i) {
        position = all.find(LineBreak, position);
        if (position == std::string::npos)
            throw std::out_of_range("HeadBuffer::lineStart");
        position += LineBreak.size();
    }
    return position;
}

const std::string& HeadBuffer::line(int index) const {
    syncLines();
    return m_lines.at(static_cast<std::size_t>(index));
}

void HeadBuffer::setLine(int index, std::string text) {
    lines().at(static_cast<std::size_t>(index)) = std::move(text);
}

void HeadBuffer::insertLine(int index, std::string text) {
    std::vector<std::string>& all = lines();
    if (index < 0 || static_cast<std::size_t>(index) > all.size())
        throw std::out_of_range("HeadBuffer::insertLine");
    all.insert(all.begin() + index, std::move(text));
}

void HeadBuffer::deleteLine(int index) {
    std::vector<std::string>& all = lines();
    if (index < 0 || static_cast<std::size_t>(index) >= all.size())
        throw std::out_of_range("HeadBuffer::deleteLine");
    all.erase(all.begin() + index);
}

void HeadBuffer::splitEmbeddedBreaks() {
    if (m_current != Current::Lines)
        return;  // lines made from the text hold no breaks
    std::vector<std::string> split;
    split.reserve(m_lines.size());
    for (std::string& line : m_lines) {
        std::size_t start = 0;
        for (std::size_t end; (end = line.find(LineBreak, start)) != std::string::npos;) {
            split.emplace_back(line, start, end - start);
            start = end + LineBreak.size();
        }
        if (start == 0)
            split.push_back(std::move(line));
        else
            split.emplace_back(line, start);
    }
    m_lines = std::move(split);
}

std::vector<std::string>& HeadBuffer::lines() {
    syncLines();
    m_current = Current::Lines;
    return m_lines;
}
