#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// One-pass forms of the rewriting loops the engine rules are written in. Each gives the result
// of its loop ("replace the first occurrence and search again from the start", "repeat until
// nothing changes") without going back to the start of the text, so a page of thousands of
// results is prepared in time proportional to its length.

constexpr size_t kNotFound = std::string_view::npos;

// Position of the first `what` at or after `from`; kNotFound when none. `what` must not be empty.
size_t findText(std::string_view text, std::string_view what, size_t from = 0);

// Whether an occurrence of one text could take in characters of the other standing next to it:
// when it cannot, replacing one by the other never forms a new occurrence.
bool canMeet(std::string_view a, std::string_view b);

// Appends the replacement for the index-th rewrite (0-based, from the left) to `out`.
using ReplacementFor = std::function<void(long index, std::string& out)>;

constexpr size_t kMaxRewrittenText = size_t{256} << 20;

// Replaces the leftmost occurrence of `find` again and again until none is left, resuming where
// a new occurrence could begin. nullopt when the text grows past maxText or the rewriting does
// not settle, which a replacement containing `find` always causes.
std::optional<std::string> rewriteLeftmost(std::string_view text, std::string_view find,
                                           const ReplacementFor& replacement,
                                           size_t maxText = kMaxRewrittenText);

// Replaces each occurrence of `find` in the given text once, from the left, without looking at
// what the replacements form.
std::string replaceEachOnce(std::string_view text, std::string_view find, const ReplacementFor& replacement);

// Every `open` directly followed by `close` becomes open, the number, afterNumber and close; the
// numbers count up from firstNumber from the left.
std::string numberPairs(std::string_view text, std::string_view open, std::string_view close, int firstNumber,
                        std::string_view afterNumber);

// Each occurrence of `find` in turn keeps its first `keep` characters, loses the next `drop`
// ones in favour of open, the number and close, and keeps the rest.
std::string numberOccurrences(std::string_view text, std::string_view find, size_t keep, size_t drop,
                              std::string_view open, std::string_view close, int firstNumber);

// DeleteBetween(text, start, end, true) repeated until it changes nothing.
std::string deleteBetweenRepeatedly(std::string_view text, std::string_view start, std::string_view end);

// Every prefix, with what follows it up to the first `stop` after it, becomes `replacement`.
// This is the loop "take the piece between the first prefix and stop, replace every prefix +
// piece + stop, until a pass changes nothing" wherever each prefix has its stop before the next
// prefix; a prefix without one takes the later prefixes up to the stop into its relocation.
// The replacement must be one that cannot form a prefix with the text around it.
std::string collapseRelocations(std::string_view text, std::string_view prefix, std::string_view stop,
                                std::string_view replacement);

// The loop "while `marker` occurs: take the piece between the first marker and `until`, replace
// every marker + piece by `replacement`", in one pass: each marker is replaced together with the
// piece of the earliest pass that its text begins with before the next marker, else with its own
// piece. A piece that reaches over a later marker takes that marker in and is not looked for
// elsewhere. The replacement must be one that cannot form a marker with the text around it.
std::string repairRedirects(std::string_view text, std::string_view marker, std::string_view until,
                            std::string_view replacement);
