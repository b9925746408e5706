#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "position/core/reportgrid.h"
#include "position/core/textmarkers.h"

struct AnalysisOptions {
    bool topTen = false;      // consider 10 results instead of 30
    bool precise = true;      // whole address instead of host
    bool otherSites = false;  // write every considered result, marking the matches
    bool compare = false;     // a second scan for the compare address
};

inline constexpr std::string_view kNoEngineSelectedMessage =
    "No search engine is selected. Please select an engine and try again.";

// The message for an engine name that has no current rule.
std::string notCurrentMessage(std::string_view engineName);

// How one engine's page text is read into rows: a built-in rule, or a rule from a file.
struct ResultReader {
    std::string displayName;
    // The rows of a page text; when a page gives none for a reason the reader can tell (no JSON,
    // say), the reason goes into notes for the activity monitor.
    std::function<std::vector<ResultRow>(std::string_view page, std::vector<std::string>& notes)> rows;
};

// The built-in rule of an engine name in any letter case, as a reader; nullopt when there is none.
std::optional<ResultReader> builtInReader(std::string_view engineName);

// Analyze with the reader given in place of the built-in rule; a null reader is an engine without
// a rule.
std::optional<std::string> analyzeWith(const ResultReader* reader, std::string_view term,
                                       std::string_view address, std::string_view compareAddress,
                                       std::string_view pageText, std::string_view engineName,
                                       const AnalysisOptions& options, ReportGrid& grid,
                                       std::vector<std::string>& notes);

// Finds the engine's rule, reads the page text with it and writes the engine's block (heading,
// found rows, summary) into the report. Returns the message the caller shows in an information
// box instead, when the engine has no rule; then nothing is written.
std::optional<std::string> Analyze(std::string_view term, std::string_view address,
                                   std::string_view compareAddress, std::string_view pageText,
                                   std::string_view engineName, bool topTen, bool precise, bool otherSites,
                                   bool compare, ReportGrid& grid);

// The address looked for as results are compared with it: without its scheme, reduced to the
// host in domain mode, in upper case.
std::string normalizeTarget(std::string_view address, bool precise);

// Whether a result address matches a normalised target; an empty target never matches.
bool rowMatches(std::string_view rowAddress, std::string_view target, bool precise);

// Writes the report rows of the considered results for one address and returns the number of
// matches.
int scanRows(const std::vector<ResultRow>& rows, std::string_view displayName, std::string_view address,
             const AnalysisOptions& options, ReportGrid& grid);

std::string headingText(std::string_view term, std::string_view displayName, const AnalysisOptions& options);
std::string summaryText(std::string_view subject, std::string_view displayName, int count, bool precise);

// The engine's block for rows already cut from its page.
void writeEngineBlock(std::string_view term, std::string_view address, std::string_view compareAddress,
                      std::string_view displayName, const std::vector<ResultRow>& rows,
                      const AnalysisOptions& options, ReportGrid& grid);
