#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "position/core/textmarkers.h"

// The engines' own addresses that their result pages carry; the definition files in edata\ use
// the same hosts.
inline constexpr std::string_view kExciteRelocationPrefix = "HREF=\"http://www.excite.com/relocate/";
inline constexpr std::string_view kSnapClickPrefix = "http://www.snap.com/click?u=";
inline constexpr std::string_view kIWonHost = "www.iwon.com";

// How one engine's result page is read: the page text is rewritten so that every result is framed
// by markers (often numbering the results on the way), then cut into rows.
struct EngineRule {
    std::string_view upperName;    // the engine name it is chosen by, in upper case
    std::string_view displayName;  // how the report names the engine
    RowMarkers markers;
    std::string (*prepare)(std::string_view page);  // nullptr: the page is read as it is
    void (*finish)(std::vector<ResultRow>& rows);   // nullptr: the rows stay as cut
};

// The fifteen rules, in the order of the engine table.
std::span<const EngineRule> engineRules();

// The rule chosen by an engine name in any letter case; nullptr for names without a current rule
// (HotBot, LookSmart and WhatYouSeek among them) and for an empty name.
const EngineRule* findEngineRule(std::string_view engineName);

// The page prepared by the rule, as the markers then see it.
std::string preparePage(const EngineRule& rule, std::string_view page);

// The rows of a page: prepared, cut with the rule's markers, and finished.
std::vector<ResultRow> resultRows(const EngineRule& rule, std::string_view page);

// The rows of a page the rule has already prepared: cut with the rule's markers, and finished.
std::vector<ResultRow> preparedRows(const EngineRule& rule, std::string_view preparedPage);
