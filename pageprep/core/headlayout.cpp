// The rewriting of the head into one tag per line, which the tag reading relies on.

#include <algorithm>
#include <iterator>

#include "pageprep/core/headsteps.h"
#include "platform/core/text.h"

namespace {

constexpr std::size_t npos = std::string::npos;

void show(const HeadProgress& progress, std::string_view text,
          HeadProgressKind kind = HeadProgressKind::Step) {
    if (progress)
        progress(text, kind);
}

// A search range that ends just past `position`; a missing position leaves the range open.
std::size_t justPast(std::size_t position) {
    return position == npos ? npos : position + 1;
}

std::size_t findCloseHead(const HeadBuffer& buffer, std::size_t from) {
    return buffer.find("</HEAD>", from);
}

bool endsWithIgnoringCase(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && equalsIgnoringCase(text.substr(text.size() - tail.size()), tail);
}

// Puts `open` (and its closing tag) of the first such block between `from` and "</HEAD>" on lines
// of their own; a block that is not closed makes the head unreadable.
void isolateBlock(HeadBuffer& buffer, std::size_t from, std::string_view open, std::string_view close,
                  std::string_view missingReason, std::string_view pageName) {
    const std::size_t start = buffer.find(open, from, findCloseHead(buffer, from));
    if (start == npos)
        return;
    buffer.replace(start, 0, "\r\n");
    const std::size_t afterInsert = start + 2;
    const std::size_t end = buffer.find(close, afterInsert, findCloseHead(buffer, from));
    if (end == npos)
        throw EInvalidHTMLFile(pageName, missingReason);
    buffer.replace(end + close.size(), 0, "\r\n");
    buffer.replace(end, 0, "\r\n");
}

}  // namespace

void FormatTitleLine(HeadBuffer& buffer, std::size_t headEnd, std::size_t& closeHead,
                     std::string_view pageName) {
    const std::size_t open = buffer.find("<title>", headEnd, justPast(closeHead));
    if (open == npos) {
        buffer.replace(headEnd, 0, "\r\n<title>Title Missing - Metrune</title>\r\n");
        closeHead = findCloseHead(buffer, headEnd);
        return;
    }
    const std::size_t close = buffer.find("</title>", open, justPast(closeHead));
    if (close == npos)
        return;
    const std::string& text = buffer.text();
    if (text.find('<', open + 1) < close)
        throw EInvalidMetaTag("Title Tag improperly ended. Another tag starts before '</title>' tag");

    std::string element = "\r\n";
    for (std::size_t i = open; i < close + 8; ++i) {
        if (text[i] != '\r')
            element += text[i] == '\n' ? ' ' : text[i];
    }
    element += "\r\n";
    buffer.replace(open, close + 8 - open, element);
    closeHead = findCloseHead(buffer, headEnd);
    if (close == open + 7) {
        throw EInvalidMetaTag(
            "Title Tag used improperly (Missing 'Content') The title tag requires some content to be a "
            "useful addition!  e.g. My Home Page please update this file before submitting it to the "
            "search engines for ranking! \r\nFile name = " +
            std::string(pageName));
    }
}

HeadBlock SetUpHeadBlock(HeadBuffer& buffer, std::string_view pageName) {
    // Blanks before "</HEAD>" go, one per pass in the original rule: a whole run at once here.
    for (std::size_t from = 0;;) {
        const std::size_t found = buffer.find(" </HEAD>", from);
        if (found == npos)
            break;
        const std::string& text = buffer.text();
        std::size_t runStart = found;
        while (runStart > 0 && text[runStart - 1] == ' ')
            --runStart;
        buffer.replace(runStart, found + 8 - runStart, "</HEAD>");
        from = runStart;
    }

    HeadBlock block{};
    const int headLine = buffer.indexOfLine("<HEAD>");
    if (headLine < 0) {
        std::size_t head = buffer.find("<HEAD>");
        if (head == npos)
            throw EInvalidHTMLFile(pageName, "Missing '<HEAD>' Tag");
        buffer.replace(head + 6, 0, "\r\n");
        if (buffer.indexOfLine("<HEAD>") < 0) {
            head = buffer.find("<HEAD>");
            buffer.replace(head, 0, "\r\n");
            head += 2;
        }
        block.headEnd = head + 6;
    } else {
        block.headEnd = buffer.lineStart(headLine) + 6;
    }

    if (buffer.indexOfLine("</HEAD>") < 0) {
        const std::size_t closeHead = findCloseHead(buffer, block.headEnd);
        if (closeHead == npos)
            throw EInvalidHTMLFile(pageName, "Missing '</HEAD>' Tag");
        buffer.replace(closeHead + 7, 0, "\r\n");
        buffer.replace(closeHead, 0, "\r\n");
    }

    isolateBlock(buffer, block.headEnd, "<script", "</script>",
                 "Invalid Usage in HEAD, Missing '</SCRIPT>' Tag - Cannot Continue!", pageName);
    isolateBlock(buffer, block.headEnd, "<style", "</style>",
                 "Invalid Usage in HEAD, Missing '</STYLE>' Tag - Cannot Continue!", pageName);
    block.closeHead = findCloseHead(buffer, block.headEnd);
    return block;
}

void PositionTitleLine(HeadBuffer& buffer) {
    const int head = buffer.indexOfLine("<HEAD>");
    const int closeHead = buffer.indexOfLine("</HEAD>");
    std::vector<std::string>& lines = buffer.lines();
    const int end = closeHead < 0 ? static_cast<int>(lines.size()) : closeHead;
    for (int i = head + 1; i < end; ++i) {
        if (containsIgnoringCase(lines[static_cast<std::size_t>(i)], "<Title>")) {
            std::string title = std::move(lines[static_cast<std::size_t>(i)]);
            lines.erase(lines.begin() + i);
            lines.insert(lines.begin() + head + 1, std::move(title));
            return;
        }
    }
}

void PositionLines(HeadBuffer& buffer) {
    buffer.splitEmbeddedBreaks();
    const int head = buffer.indexOfLine("<head>");
    const int closeHead = buffer.indexOfLine("</head>");
    std::vector<std::string>& lines = buffer.lines();
    const std::size_t begin = static_cast<std::size_t>(head + 2);
    const std::size_t end = closeHead < 0 ? lines.size() : static_cast<std::size_t>(closeHead);
    if (begin >= end)
        return;

    // Sorting the lines one by one into a holding list (PICS-Label lines appended, other meta
    // lines inserted after the meta lines so far, the rest inserted at the front) and inserting
    // that list line by line at one index comes to this order.
    std::vector<std::string> pics;
    std::vector<std::string> metas;
    std::vector<std::string> others;
    for (std::size_t i = begin; i < end; ++i) {
        std::string& line = lines[i];
        if (containsIgnoringCase(line, "<meta http-equiv=\"PICS-Label\""))
            pics.push_back(std::move(line));
        else if (containsIgnoringCase(line, "<META"))
            metas.push_back(std::move(line));
        else if (!line.empty())
            others.push_back(std::move(line));
    }
    std::vector<std::string> ordered;
    ordered.reserve(pics.size() + metas.size() + others.size());
    std::move(pics.rbegin(), pics.rend(), std::back_inserter(ordered));
    std::move(metas.begin(), metas.end(), std::back_inserter(ordered));
    std::move(others.begin(), others.end(), std::back_inserter(ordered));
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(begin),
                lines.begin() + static_cast<std::ptrdiff_t>(end));
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(begin), std::make_move_iterator(ordered.begin()),
                 std::make_move_iterator(ordered.end()));
}

std::string normalizeJoinedHead(std::string_view joined) {
    // The rules, each repeated until it no longer applies, come to this for every run of blanks:
    // it goes before "<" or "=" and after "=", shrinks to one blank after "<META" or "<LINK", and
    // stays otherwise. No rule changes the characters around a run, so one pass applies them all,
    // and the tags are split where they meet once the blanks are gone.
    std::string out;
    out.reserve(joined.size() + joined.size() / 16);
    for (std::size_t i = 0; i < joined.size();) {
        const char c = joined[i];
        if (c != ' ') {
            if (c == '<' && !out.empty() && out.back() == '>')
                out += "\r\n";
            std::size_t end = i + 1;
            while (end < joined.size() && joined[end] != ' ' && joined[end] != '<')
                ++end;
            out.append(joined, i, end - i);
            i = end;
            continue;
        }
        std::size_t runEnd = i + 1;
        while (runEnd < joined.size() && joined[runEnd] == ' ')
            ++runEnd;
        const char before = i == 0 ? '\0' : joined[i - 1];
        const char after = runEnd < joined.size() ? joined[runEnd] : '\0';
        if (after != '<' && after != '=' && before != '=') {
            const bool oneBlank = endsWithIgnoringCase(out, "<META") || endsWithIgnoringCase(out, "<LINK");
            out.append(oneBlank ? 1 : runEnd - i, ' ');
        }
        i = runEnd;
    }
    return out;
}

void SetUpMetaLines(HeadBuffer& buffer, std::string_view pageName, const HeadProgress& progress) {
    show(progress, "Processing Setup meta lines...");
    show(progress, "Positioning Head Block...");
    HeadBlock block = SetUpHeadBlock(buffer, pageName);
    show(progress, "Correcting Formating - Title Line...");
    FormatTitleLine(buffer, block.headEnd, block.closeHead, pageName);
    show(progress, "Positioning Title Line...");
    PositionTitleLine(buffer);

    show(progress, "Look for Link section...");
    show(progress, "Looking for HTML 4.0 (Possible Values) ...");
    const int first = buffer.indexOfLine("<head>") + 1;
    const int closeHead = buffer.indexOfLine("</head>");
    std::vector<std::string>& lines = buffer.lines();
    const std::size_t last = closeHead < 0 ? lines.size() : static_cast<std::size_t>(closeHead);
    std::string joined;
    bool joining = true;
    for (std::size_t i = static_cast<std::size_t>(first); i < last; ++i) {
        std::string& line = lines[i];
        if (containsIgnoringCase(line, "<SCRIPT") || containsIgnoringCase(line, "<STYLE"))
            joining = false;
        if (equalsIgnoringCase(line, "</SCRIPT>") || equalsIgnoringCase(line, "</STYLE>")) {
            joining = true;
        } else if (joining) {
            show(progress, "Completing ", HeadProgressKind::Line);
            joined += trimmedView(line);
            if (!joined.empty() && joined.back() == '"')
                joined += ' ';
            line.clear();
        }
    }

    show(progress, "Completing <Head> section formatting");
    buffer.insertLine(first, normalizeJoinedHead(joined));
    PositionTitleLine(buffer);
    PositionLines(buffer);
}
