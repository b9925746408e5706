#pragma once

#include <string>
#include <string_view>
#include <vector>

// The marker primitives the engine rules are written in. Markers are found by a case-sensitive
// search from the left; positions are 1-based and -1 means "not found". An empty piece always
// counts as not found for the callers.

struct ExtractedPiece {
    std::string_view piece;  // a view into the text given to ExtractBetween
    long position = -1;      // of the end marker in the text; length + 1 for an empty end marker
};

// The text between the first `start` and the first `end` after it. An empty `start` means the
// start of the text, an empty `end` its end. An `end` standing right after `start` gives an
// empty piece and -1.
ExtractedPiece ExtractBetween(std::string_view text, std::string_view start, std::string_view end);

// Cuts out the piece ExtractBetween finds (and, with removeMarkers, the two markers around it);
// the text is returned unchanged when the piece is empty.
std::string DeleteBetween(std::string_view text, std::string_view start, std::string_view end,
                          bool removeMarkers);

// Replaces `find` wherever it occurs, also where a replacement forms a new occurrence together
// with the text around it, so the result holds no `find` at all. When `replacement` itself
// contains `find` that could never end; then each occurrence of the original text is replaced
// once. An empty `find` occurs nowhere. Runaway growth (a result past 256 MiB) yields an empty
// text, like any other error inside.
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement);

// Writes the numbers firstNumber, firstNumber + 1, ... between every `open` immediately followed
// by `close`, from the left.
std::string NumberMarkers(std::string_view text, std::string_view open, std::string_view close,
                          int firstNumber);

// One result as cut from a page: the engine's own numbering and the result's address.
struct ResultRow {
    std::string label;
    std::string address;

    bool operator==(const ResultRow&) const = default;
};

// The six markers that cut a prepared page into results.
struct RowMarkers {
    std::string_view itemStart;
    std::string_view itemEnd;
    std::string_view labelStart;
    std::string_view labelEnd;
    std::string_view addressStart;
    std::string_view addressEnd;
};

// Whether any of the markers occurs in the prepared page: a page that lists nothing still shows
// the frame its results would stand in, a page of another layout (a block, a captcha) does not.
bool pageHasMarkers(std::string_view preparedPage, const RowMarkers& markers);

// Cuts items one after another; the first item without a label or an address ends the
// extraction. An address loses its query part when anything follows the question mark.
std::vector<ResultRow> ExtractRows(std::string_view text, const RowMarkers& markers);
inline std::vector<ResultRow> ExtractRows(std::string_view text, std::string_view itemStart,
                                          std::string_view itemEnd, std::string_view labelStart,
                                          std::string_view labelEnd, std::string_view addressStart,
                                          std::string_view addressEnd) {
    return ExtractRows(text, {itemStart, itemEnd, labelStart, labelEnd, addressStart, addressEnd});
}
