#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The page readiness report: keyword repetition and length, keywords in the description and its
// length, and how often each keyword stands in the body text.

// Splits keyword or description text into words: commas and characters up to code 32 separate
// words; a word that starts with a double quote runs to the closing quote (two quotes inside
// standing for one). Two commas with nothing between give an empty word; a comma at the end gives
// none. A NUL ends the text.
std::vector<std::string> splitWords(std::string_view text);

struct KeywordCount {
    std::string keyword;  // as first written
    int count = 0;

    bool operator==(const KeywordCount&) const = default;
};
// The distinct words, letter case aside, in order of first appearance, with their counts.
std::vector<KeywordCount> tallyKeywords(const std::vector<std::string>& words);

// The part of the page the keywords are counted in: from just after the first "<body" to the
// first "</body>", at most BodySearchLimit characters; the whole page (cut the same way) when it
// has no "<body".
constexpr std::size_t BodySearchLimit = 5000;
struct BodyRange {
    std::size_t start = 0;
    std::size_t end = 0;
};
BodyRange bodySearchRange(std::string_view pageText);

// How often `keyword` stands in the range as a whole word, letter case aside, after the range's
// tags and attribute values have been set apart from its words by blanks. The characters just
// outside the range count for the whole-word test.
int countKeywordInBody(std::string_view pageText, BodyRange range, std::string_view keyword);

// The report lines for the keyword and description texts as the boxes show them and the page text.
std::vector<std::string> buildReadinessReport(std::string_view keywords, std::string_view description,
                                              std::string_view pageText);
