#include "position/core/rewrite.h"

#include <algorithm>
#include <set>
#include <unordered_map>
#include <vector>

#include "position/core/textmarkers.h"

namespace {

// Tracks, character by character, the longest end of the text read so far that is a beginning
// of `find` (the classic failure-function matcher).
class PrefixMatcher {
public:
    explicit PrefixMatcher(std::string_view find) : m_find(find), m_fail(find.size(), 0) {
        size_t k = 0;
        for (size_t i = 1; i < find.size(); ++i) {
            while (k > 0 && find[i] != find[k])
                k = m_fail[k - 1];
            if (find[i] == find[k])
                ++k;
            m_fail[i] = k;
        }
    }

    size_t step(size_t state, char c) const {
        while (state > 0 && (state == m_find.size() || m_find[state] != c))
            state = m_fail[state - 1];
        if (m_find[state] == c)
            ++state;
        return state;
    }

    // The state after the end of `text`, which holds no whole occurrence in its last characters.
    size_t stateAfter(std::string_view text) const {
        size_t keep = m_find.size() - 1;
        size_t state = 0;
        for (size_t i = text.size() > keep ? text.size() - keep : 0; i < text.size(); ++i) {
            state = step(state, text[i]);
        }
        return state;
    }

private:
    std::string_view m_find;
    std::vector<size_t> m_fail;
};

bool hasBorder(std::string_view s) {
    for (size_t k = 1; k < s.size(); ++k) {
        if (s.substr(0, k) == s.substr(s.size() - k))
            return true;
    }
    return false;
}

bool endJoinsStart(std::string_view a, std::string_view b) {
    for (size_t k = 1; k <= std::min(a.size(), b.size()); ++k) {
        if (a.substr(a.size() - k) == b.substr(0, k))
            return true;
    }
    return false;
}

}  // namespace

bool canMeet(std::string_view a, std::string_view b) {
    return a.find(b) != kNotFound || b.find(a) != kNotFound || endJoinsStart(a, b) || endJoinsStart(b, a);
}

size_t findText(std::string_view text, std::string_view what, size_t from) {
    // Markers are short and usually close by: a plain search beats setting up a two-way search.
    return text.find(what, from);
}

std::optional<std::string> rewriteLeftmost(std::string_view text, std::string_view find,
                                           const ReplacementFor& replacement, size_t maxText) {
    if (find.empty())
        return std::string(text);
    const PrefixMatcher matcher(find);
    const size_t m = find.size();
    std::string out;
    out.reserve(text.size() + text.size() / 8 + 64);  // room for numbers and longer markers
    // Replacement text not yet read, last character first: it is read before the rest of the
    // page because an occurrence may begin inside it.
    std::string pending;
    std::string scratch;
    size_t state = 0;
    size_t next = 0;
    long index = 0;
    size_t readOneByOne = 0;
    size_t longest = 0;

    // The leftmost occurrence has just been cut off the end of `out`.
    auto replaceAtEnd = [&] {
        state = matcher.stateAfter(out);
        scratch.clear();
        replacement(index++, scratch);
        pending.append(scratch.rbegin(), scratch.rend());
    };

    while (true) {
        char c;
        if (!pending.empty()) {
            c = pending.back();
            pending.pop_back();
        } else if (next == text.size()) {
            break;
        } else if (state == 0) {
            // Nothing pending and no occurrence begun: the next one lies wholly in the page.
            size_t at = findText(text, find, next);
            if (at == kNotFound) {
                out.append(text.substr(next));
                break;
            }
            out.append(text.substr(next, at - next));
            next = at + m;
            replaceAtEnd();
            if (out.size() + pending.size() > maxText)
                return std::nullopt;
            continue;
        } else {
            c = text[next++];
        }
        out.push_back(c);
        state = matcher.step(state, c);
        if (state == m) {
            out.resize(out.size() - m);
            replaceAtEnd();
        }
        longest = std::max(longest, out.size());
        if (out.size() + pending.size() > maxText)
            return std::nullopt;
        if (++readOneByOne > 64 * (text.size() + longest) + (size_t{1} << 20))
            return std::nullopt;
    }
    return out;
}

std::string replaceEachOnce(std::string_view text, std::string_view find, const ReplacementFor& replacement) {
    if (find.empty())
        return std::string(text);
    std::string out;
    out.reserve(text.size() + text.size() / 8 + 64);  // room for numbers and longer markers
    size_t copied = 0;
    long index = 0;
    for (size_t at = findText(text, find); at != kNotFound; at = findText(text, find, copied)) {
        out.append(text.substr(copied, at - copied));
        replacement(index++, out);
        copied = at + find.size();
    }
    out.append(text.substr(copied));
    return out;
}

std::string numberPairs(std::string_view text, std::string_view open, std::string_view close, int firstNumber,
                        std::string_view afterNumber) {
    std::string pair = std::string(open) + std::string(close);
    auto numbered = [&](long index, std::string& out) {
        out += open;
        out += std::to_string(static_cast<long long>(firstNumber) + index);
        out += afterNumber;
        out += close;
    };
    // Without digits in the marks, a number never takes part in a pair, so a zero stands for any.
    bool digits = (pair + std::string(afterNumber)).find_first_of("0123456789") != std::string::npos;
    if (!digits && !canMeet(pair, std::string(open) + "0" + std::string(afterNumber) + std::string(close))) {
        return replaceEachOnce(text, pair, numbered);
    }
    // With an empty open or close mark every number written holds the pair again; the loop as
    // worded would never end, so each pair of the text gets its one number.
    if (!open.empty() && !close.empty()) {
        if (auto done = rewriteLeftmost(text, pair, numbered))
            return std::move(*done);
    }
    return replaceEachOnce(text, pair, numbered);
}

std::string numberOccurrences(std::string_view text, std::string_view find, size_t keep, size_t drop,
                              std::string_view open, std::string_view close, int firstNumber) {
    return replaceEachOnce(text, find, [&](long index, std::string& out) {
        out += find.substr(0, keep);
        out += open;
        out += std::to_string(static_cast<long long>(firstNumber) + index);
        out += close;
        out += find.substr(std::min(find.size(), keep + drop));
    });
}

std::string deleteBetweenRepeatedly(std::string_view text, std::string_view start, std::string_view end) {
    if (start.empty() || end.empty()) {
        // Rare enough to be done as worded; each change shortens the text.
        std::string current(text);
        while (true) {
            std::string changed = DeleteBetween(current, start, end, true);
            if (changed == current)
                return current;
            current = std::move(changed);
        }
    }
    std::string out;  // holds no `start`: only text searched for it goes here
    size_t next = 0;
    while (true) {
        // A deletion joins the text around it, and a new `start` may stand across the join.
        size_t tail = std::min(out.size(), start.size() - 1);
        std::string join = out.substr(out.size() - tail) + std::string(text.substr(next, start.size() - 1));
        size_t across = findText(join, start);
        size_t keepOut;
        size_t startEnd;
        if (across != kNotFound && across < tail) {
            keepOut = out.size() - tail + across;
            startEnd = next + (start.size() - (tail - across));
        } else {
            size_t at = findText(text, start, next);
            if (at == kNotFound)
                break;
            keepOut = out.size() + (at - next);
            startEnd = at + start.size();
        }
        size_t endAt = findText(text, end, startEnd);
        if (endAt == kNotFound || endAt == startEnd)
            break;
        if (keepOut > out.size()) {
            out.append(text.substr(next, keepOut - out.size()));
        } else {
            out.resize(keepOut);
        }
        next = endAt + end.size();
    }
    out.append(text.substr(next));
    return out;
}

std::string collapseRelocations(std::string_view text, std::string_view prefix, std::string_view stop,
                                std::string_view replacement) {
    auto asWorded = [&] {
        std::string current(text);
        while (true) {
            std::string pattern =
                std::string(prefix) + std::string(ExtractBetween(current, prefix, stop).piece);
            pattern += stop;
            std::string changed = ReplaceAll(current, pattern, replacement);
            if (changed == current)
                return current;
            current = std::move(changed);
        }
    };
    // The one pass relies on relocations that stand apart: prefixes that cannot overlap, a stop
    // before the next prefix, and a replacement that forms no prefix. Anything else is done as
    // worded.
    if (prefix.empty() || stop.empty() || replacement.empty() || hasBorder(prefix) || hasBorder(stop) ||
        canMeet(prefix, replacement)) {
        return asWorded();
    }
    std::string out;
    size_t copied = 0;
    for (size_t at = findText(text, prefix); at != kNotFound;) {
        size_t following = findText(text, prefix, at + prefix.size());
        size_t stopAt = findText(text, stop, at + prefix.size());
        if (stopAt == kNotFound)
            break;  // no later relocation has a stop either
        if (following != kNotFound && stopAt + stop.size() > following)
            return asWorded();
        out.append(text.substr(copied, at - copied));
        out += replacement;
        copied = stopAt + stop.size();
        at = following;
    }
    out.append(text.substr(copied));
    return out;
}

std::string repairRedirects(std::string_view text, std::string_view marker, std::string_view until,
                            std::string_view replacement) {
    auto asWorded = [&] {
        std::string current(text);
        // Each pass removes the first marker; the bound only guards against a replacement that
        // brings markers back.
        for (size_t pass = 0; pass <= text.size() && findText(current, marker) != kNotFound; ++pass) {
            std::string pattern =
                std::string(marker) + std::string(ExtractBetween(current, marker, until).piece);
            current = ReplaceAll(current, pattern, replacement);
        }
        return current;
    };
    if (marker.empty() || until.empty() || replacement.empty() || hasBorder(marker) ||
        canMeet(marker, replacement)) {
        return asWorded();
    }
    // Each pass is "marker + piece": at a later marker it takes away marker and piece when the
    // piece follows, even when that marker's own piece is longer. The earliest such pass wins.
    std::unordered_map<std::string_view, long> passOfPiece;
    std::set<size_t> pieceLengths;
    long passes = 0;
    bool markersOnly = false;  // a pass with an empty piece replaced every marker left
    std::string out;
    size_t copied = 0;
    for (size_t at = findText(text, marker); at != kNotFound;) {
        size_t following = findText(text, marker, at + marker.size());
        size_t limit = following == kNotFound ? text.size() : following;
        size_t body = at + marker.size();
        long earliest = -1;
        size_t cut = body;
        for (size_t length : pieceLengths) {
            if (body + length > text.size())
                break;
            auto hit = passOfPiece.find(text.substr(body, length));
            if (hit != passOfPiece.end() && (earliest < 0 || hit->second < earliest)) {
                earliest = hit->second;
                cut = body + length;
            }
        }
        if (earliest < 0 && !markersOnly) {
            size_t untilAt = findText(text, until, body);
            if (untilAt == kNotFound || untilAt == body) {
                markersOnly = true;
            } else {
                passOfPiece.emplace(text.substr(body, untilAt - body), passes++);
                pieceLengths.insert(untilAt - body);
                cut = untilAt;
            }
        }
        if (cut > limit)
            return asWorded();
        out.append(text.substr(copied, at - copied));
        out += replacement;
        copied = cut;
        at = following;
    }
    out.append(text.substr(copied));
    return out;
}
