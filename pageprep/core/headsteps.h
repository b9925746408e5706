#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "pageprep/core/headbuffer.h"
#include "pageprep/core/headreader.h"

// The steps ReadPageHead runs, in its order. Each works on the head buffer in place; positions
// are character offsets into the buffer's text.

// The page cut to its head: up to and including the first "</HEAD>" before "<BODY" (or, without
// a body, "<FRAMESET").
std::string extractHeadSection(std::string_view pageText, std::string_view pageName);

// Every line break becomes CR LF. Reading left to right, CR LF, LF CR, a lone CR and a lone LF are
// each one break, in that order of preference.
void SetCRLFLineBreaks(HeadBuffer& buffer);

// The title between "<title>" and "</title>" of the head, after FormatTitleLine has put the title
// element on a line of its own (or put in a placeholder title). Empty when the head has no
// "<HEAD>".
std::string ReadTitleLine(HeadBuffer& buffer, std::string_view pageName);

// `headEnd` is the position just after the head start tag, `closeHead` that of "</HEAD>"; the
// latter follows the edits.
void FormatTitleLine(HeadBuffer& buffer, std::size_t headEnd, std::size_t& closeHead,
                     std::string_view pageName);

// Rewrites the head into one tag per line: the head tags, the title line first, the meta lines,
// then the rest; the first script and style blocks are kept as they stand.
void SetUpMetaLines(HeadBuffer& buffer, std::string_view pageName, const HeadProgress& progress = {});

struct HeadBlock {
    std::size_t headEnd;    // just after the head start tag
    std::size_t closeHead;  // of "</HEAD>"
};
// Puts the head's start and end tags and the first script and style blocks on lines of their own.
HeadBlock SetUpHeadBlock(HeadBuffer& buffer, std::string_view pageName);

// Moves the first line holding "<title>" to just after the "<HEAD>" line.
void PositionTitleLine(HeadBuffer& buffer);

// Splits lines that hold line breaks, then orders the lines after the title line: PICS-Label meta
// lines (last first), the other meta lines, everything else; empty lines go.
void PositionLines(HeadBuffer& buffer);

// The blank rules applied to the joined head lines, each until it no longer applies, and one tag
// per line.
std::string normalizeJoinedHead(std::string_view joined);

// The tags looked for, as "name=value" entries: "description=" then "keywords=".
using TagList = std::vector<std::string>;
TagList BuildTagList(std::string_view pageName, const HeadProgress& progress = {});

// The contents of the tag list's meta tags: the first for `description`, the second for `keywords`.
void ReadTags(const HeadBuffer& buffer, const TagList& tags, std::string& description, std::string& keywords);

struct MetaTag {
    std::string attribute;  // the attribute before the first "=", for instance "name"
    std::string name;       // its value, quotes taken off
    std::string content;

    bool operator==(const MetaTag&) const = default;
};
// Takes one meta line apart. EInvalidMetaTag when the line is no meta tag or its content attribute
// stands first; EMetaTagGeneralError when "=" directly follows "<META ".
MetaTag ParseMetaTag(std::string_view line);
