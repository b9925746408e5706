#pragma once

#include <optional>
#include <string>
#include <vector>

#include "position/core/enginerules.h"
#include "position/core/textmarkers.h"

// The marker primitives and the engine preparations written the straightforward way, step by step
// as they are worded: every replacement searches again from the start of the text and every cut
// copies what is left. The benchmark measures the analysis against it, and the tests check that
// the one-pass forms give the same text wherever this one ends.
namespace baseline {

struct Piece {
    std::string piece;
    long position = -1;
};

Piece ExtractBetween(const std::string& text, const std::string& start, const std::string& end);
std::string DeleteBetween(const std::string& text, const std::string& start, const std::string& end,
                          bool removeMarkers);
// Never ends when the replacement contains `find` and `find` occurs.
std::string ReplaceAll(std::string text, const std::string& find, const std::string& replacement);
// The same loop, given up (nullopt) after maxSteps replacements.
std::optional<std::string> ReplaceAllWithin(std::string text, const std::string& find,
                                            const std::string& replacement, long maxSteps);
std::string NumberMarkers(std::string text, const std::string& open, const std::string& close,
                          int firstNumber);
std::vector<ResultRow> ExtractRows(const std::string& text, const RowMarkers& markers);

// The loops of the preparations, as worded.
std::string numberPairsInTurn(std::string text, const std::string& open, const std::string& close,
                              int firstNumber, const std::string& afterNumber);
std::string numberOccurrencesInTurn(std::string text, const std::string& find, size_t keep, size_t drop,
                                    const std::string& open, const std::string& close, int firstNumber);
std::string deleteBetweenRepeatedly(std::string text, const std::string& start, const std::string& end);
std::string collapseRelocations(std::string text, const std::string& prefix, const std::string& stop,
                                const std::string& replacement);
std::string repairRedirects(std::string text, const std::string& marker, const std::string& until,
                            const std::string& replacement);

// The rows of a page under the rule, prepared and cut as worded.
std::vector<ResultRow> resultRows(const EngineRule& rule, const std::string& page);

}  // namespace baseline
