#include "pageprep/core/headreader.h"

#include <algorithm>

#include "pageprep/core/headsteps.h"
#include "platform/core/text.h"

namespace {

void show(const HeadProgress& progress, std::string_view text) {
    if (progress)
        progress(text, HeadProgressKind::Step);
}

// Drops the first and the last character, whatever they are: they are taken to be quotes.
std::string withoutEnds(std::string text) {
    if (!text.empty())
        text.erase(0, 1);
    if (!text.empty())
        text.pop_back();
    return trimText(text);
}

// The characters that end a meta tag: ">", or "/>" with any blanks before the slash.
std::size_t tagEndingLength(std::string_view s) {
    if (s.size() < 2 || s.substr(s.size() - 2) != "/>")
        return s.empty() ? 0 : 1;
    std::size_t length = 2;
    while (length < s.size() && s[s.size() - length - 1] == ' ')
        ++length;
    return length;
}

}  // namespace

EInvalidHTMLFile::EInvalidHTMLFile(std::string_view pageName, std::string_view reason)
    : std::runtime_error("The File '" + std::string(pageName) + "' is not a valid HTML 3.2 File\r(" +
                         std::string(reason) + ")") {}

std::string extractHeadSection(std::string_view pageText, std::string_view pageName) {
    std::size_t bodyStart = findIgnoringCase(pageText, "<BODY");
    if (bodyStart == std::string_view::npos)
        bodyStart = findIgnoringCase(pageText, "<FRAMESET");
    if (bodyStart == std::string_view::npos)
        throw EInvalidHTMLFile(pageName, "Missing '<BODY> or <FRAMESET>' Tag");
    const std::size_t headClose = findIgnoringCase(pageText, "</HEAD>", 0, bodyStart);
    if (headClose == std::string_view::npos)
        throw EInvalidHTMLFile(pageName, "Missing '</HEAD>' Tag");
    return std::string(pageText.substr(0, headClose + 7));
}

void SetCRLFLineBreaks(HeadBuffer& buffer) {
    const std::string& text = buffer.text();
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    std::size_t start = 0;
    std::size_t cr = text.find('\r');
    std::size_t lf = text.find('\n');
    while (cr != std::string::npos || lf != std::string::npos) {
        std::size_t at = std::min(cr, lf);
        out.append(text, start, at - start);
        out += "\r\n";
        const char pair = text[at] == '\r' ? '\n' : '\r';
        if (at + 1 < text.size() && text[at + 1] == pair)
            ++at;
        start = at + 1;
        if (cr < start)
            cr = text.find('\r', start);
        if (lf < start)
            lf = text.find('\n', start);
    }
    out.append(text, start);
    buffer.setText(std::move(out));
}

std::string ReadTitleLine(HeadBuffer& buffer, std::string_view pageName) {
    const std::size_t head = buffer.find("<HEAD>");
    if (head == std::string::npos)
        return {};
    std::size_t closeHead = buffer.find("</HEAD>", head);
    if (closeHead == std::string::npos)
        return {};
    // The start tag cannot hold "<title>", so searching from its end finds what searching from
    // its start would.
    FormatTitleLine(buffer, head + 6, closeHead, pageName);
    const std::size_t limit = closeHead == std::string::npos ? closeHead : closeHead + 1;
    const std::size_t open = buffer.find("<title>", head, limit);
    if (open == std::string::npos)
        return {};
    const std::size_t start = open + 7;
    const std::size_t close = buffer.find("</title>", start, limit);
    const std::string& text = buffer.text();
    return close == std::string::npos ? text.substr(start) : text.substr(start, close - start);
}

TagList BuildTagList(std::string_view pageName, const HeadProgress& progress) {
    show(progress, "Building Tag List...");
    TagList tags;
    show(progress, "Loading Description " + std::string(pageName));
    tags.push_back("description=");
    show(progress, "Loading Keywords " + std::string(pageName));
    tags.push_back("keywords=");
    return tags;
}

MetaTag ParseMetaTag(std::string_view line) {
    std::string s = trimText(line);
    const std::size_t meta = findIgnoringCase(s, "<META");
    if (meta == std::string::npos)
        throw EInvalidMetaTag("not valid meta tag");
    s = trimText(std::string_view(s).substr(std::min(s.size(), meta + 6)));

    MetaTag tag;
    const std::size_t equals = s.find('=');
    if (equals == 0)
        throw EMetaTagGeneralError();
    if (equals != std::string::npos) {
        tag.attribute = trimText(std::string_view(s).substr(0, equals));
        s.erase(0, equals);
    }
    // The "=" goes here; without one, the first character goes all the same.
    s = trimText(s);
    if (!s.empty())
        s.erase(0, 1);
    s = trimText(s);

    const std::size_t content = findIgnoringCase(s, "CONTENT");
    if (content == 0)
        throw EInvalidMetaTag("not valid meta tag");
    if (content != std::string::npos)
        tag.name = trimText(std::string_view(s).substr(0, content));

    const std::string_view body = std::string_view(s).substr(0, s.size() - tagEndingLength(s));
    const std::size_t valueStart = s.find('=');
    if (valueStart == std::string::npos)
        tag.content = std::string(body);
    else
        tag.content = trimText(body.substr(std::min(body.size(), valueStart + 1)));

    tag.name = withoutEnds(std::move(tag.name));
    tag.content = withoutEnds(std::move(tag.content));
    return tag;
}

void ReadTags(const HeadBuffer& buffer, const TagList& tags, std::string& description,
              std::string& keywords) {
    const int start = buffer.indexOfLine("<HEAD>") + 2;
    const int end = buffer.indexOfLine("</HEAD>");
    if (start >= end)
        return;
    std::vector<std::string> names;
    for (const std::string& tag : tags)
        names.push_back(tag.substr(0, tag.find('=')));

    for (std::size_t j = 0; j < names.size(); ++j) {
        const std::string key = "\"" + names[j] + "\"";
        for (int i = start; i < end; ++i) {
            const std::string& line = buffer.line(i);
            if (!containsIgnoringCase(line, key))
                continue;
            if (!containsIgnoringCase(line, "<META"))
                break;
            MetaTag tag;
            try {
                tag = ParseMetaTag(line);
            } catch (const EInvalidMetaTag&) {
                continue;
            }
            // The tag looked for picks the value it fills, not the name found on the line.
            const bool known = std::any_of(names.begin(), names.end(), [&](const std::string& name) {
                return equalsIgnoringCase(name, tag.name);
            });
            if (known)
                (j == 0 ? description : keywords) = tag.content;
            break;
        }
    }
}

void ReadPageHead(std::string_view pageText, std::string_view pageName, PageHead& head,
                  const HeadProgress& progress) {
    head = {};
    HeadBuffer buffer(extractHeadSection(pageText, pageName));
    show(progress, "Processing CRLF...");
    SetCRLFLineBreaks(buffer);
    head.title = ReadTitleLine(buffer, pageName);
    SetUpMetaLines(buffer, pageName, progress);
    const TagList tags = BuildTagList(pageName, progress);
    show(progress, "Reading Tags...");
    std::string description;
    std::string keywords;
    ReadTags(buffer, tags, description, keywords);
    head.description = std::move(description);
    head.keywords = std::move(keywords);
}
