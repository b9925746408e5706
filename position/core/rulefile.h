#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "position/core/textmarkers.h"

// Engine rules kept as text files (edata\NAME.rule), so that a user can teach the program a new
// engine, or a changed layout, without a new build. A file is lines of "key=value"; blank lines
// and lines starting with "#" are skipped. The first such line is "kind=page" or "kind=json".
//
// Values: the blanks around a value are dropped; "\s" writes a space, "\r", "\n" and "\t" the
// control characters, "\\" a backslash and "\xHH" any byte. A backslash before anything else is
// a mistake the reader reports.
//
// kind=page: "name" (the display name), preparation steps, and the six markers "item-start",
// "item-end", "label-start", "label-end", "address-start", "address-end" (each present, possibly
// empty), and optionally "cut-address-at" (every address is cut before the first occurrence of
// that text). A step is a line "step=NAME" followed by its settings, one per line; the steps run
// in the order written (see kRuleSteps in rulefile.cpp for every step and setting).
//
// kind=json: "name", "results" (a JSON pointer to the list of results, such as /web/results),
// "address" (the field of each result holding its address: a name, or a pointer from the
// result such as /link/href) and optionally "label" (the field shown after "result"; the
// result's position in the list when not given or missing on a result).

enum class RuleStepKind {
    DropBefore,           // marker, keep-marker, keep-before
    DropAfter,            // marker, keep-marker
    KeepAfter,            // marker
    KeepBetween,          // start, end, count
    Collect,              // start, end, count
    CollectText,          // text
    UseCollection,        //
    Replace,              // find, with
    Number,               // open, close, first, after
    NumberEach,           // find, keep, drop, open, close, first
    DeleteBetween,        // start, end, keep-markers, repeat
    CollapseRelocations,  // prefix, stop, with
    RepairRedirects,      // marker, until, with
};

struct RuleStep {
    RuleStepKind kind = RuleStepKind::Replace;
    int line = 0;  // where "step=" stands
    // The settings, by role; each kind reads the ones its comment above names.
    std::string marker;  // marker, find, prefix, text
    std::string start;   // start, open
    std::string end;     // end, close, stop, until
    std::string with;    // with, after
    long count = 1;      // count (0: all), first
    long keep = 0;       // keep-before, keep
    long drop = 0;
    bool keepMarker = false;  // keep-marker, keep-markers
    bool repeat = false;

    bool operator==(const RuleStep&) const = default;
};

struct PageRule {
    std::string displayName;
    std::vector<RuleStep> steps;
    std::string itemStart, itemEnd, labelStart, labelEnd, addressStart, addressEnd;
    std::string cutAddressAt;

    RowMarkers markers() const {
        return {itemStart, itemEnd, labelStart, labelEnd, addressStart, addressEnd};
    }
    bool operator==(const PageRule&) const = default;
};

struct JsonRule {
    std::string displayName;
    std::string results;       // JSON pointer to the list
    std::string addressField;  // field name, or pointer from the item when it starts with "/"
    std::string labelField;    // the same; empty: the position in the list

    bool operator==(const JsonRule&) const = default;
};

using EngineRuleFile = std::variant<PageRule, JsonRule>;

// What reading a rule file gave: the rule, or the line (1-based; 0 for the file as a whole) and
// why it is no rule.
struct RuleFileReading {
    EngineRuleFile rule;
    int errorLine = 0;
    std::string error;  // empty when the file is a rule

    bool ok() const { return error.empty(); }
};

constexpr size_t kMaxRuleFileSize = size_t{1} << 20;

RuleFileReading readRuleFile(std::string_view text);

// The rule as a file that reads back as the same rule.
std::string formatRuleFile(const EngineRuleFile& rule);

// The page text as the rule's steps leave it.
std::string prepareWithRule(const PageRule& rule, std::string_view page);

// The rows of a page under the rule: prepared, cut with its markers, and addresses cut.
std::vector<ResultRow> pageRuleRows(const PageRule& rule, std::string_view page);

// Whether a text is a JSON pointer: empty, or "/" followed by tokens in which "~" is only
// followed by "0" or "1".
bool isJsonPointer(std::string_view pointer);
