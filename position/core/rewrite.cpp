#include "position/core/rewrite.h"

#include <algorithm>
#include <cstdint>
#include <random>
#include <stdexcept>
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

bool endJoinsStart(std::string_view a, std::string_view b) {
    for (size_t k = 1; k <= std::min(a.size(), b.size()); ++k) {
        if (a.substr(a.size() - k) == b.substr(0, k))
            return true;
    }
    return false;
}

// The one-pass forms below never look at what a replacement forms with the text around it.
void requireStandingApart(std::string_view marker, std::string_view replacement) {
    if (marker.empty() || replacement.empty() || canMeet(marker, replacement))
        throw std::invalid_argument("a marker that its replacement could form again");
}

// The pieces of earlier redirect passes, found again at the start of a later redirect by their
// length and a rolling hash, so that each redirect costs no more than the text it stands before.
class EarlierPieces {
public:
    void add(std::string_view piece) {
        m_byKey[key(piece.size(), hashOf(piece))].push_back({piece, m_passes++});
        if (m_hasLength.size() <= piece.size())
            m_hasLength.resize(piece.size() + 1, false);
        m_hasLength[piece.size()] = true;
    }

    // The length of the earliest pass's piece that `text` begins with.
    std::optional<size_t> earliestAt(std::string_view text) {
        m_hits.clear();
        uint64_t hash = 0;
        size_t longest = std::min(text.size(), m_hasLength.empty() ? 0 : m_hasLength.size() - 1);
        for (size_t length = 1; length <= longest; ++length) {
            hash = next(hash, text[length - 1]);
            if (!m_hasLength[length])
                continue;
            auto found = m_byKey.find(key(length, hash));
            if (found == m_byKey.end())
                continue;
            for (const Piece& piece : found->second) {
                if (piece.text.size() == length)
                    m_hits.push_back(&piece);
            }
        }
        // Only the winner is compared in full; a hash that merely collided is passed over.
        while (!m_hits.empty()) {
            auto best = std::min_element(m_hits.begin(), m_hits.end(),
                                         [](const Piece* a, const Piece* b) { return a->pass < b->pass; });
            if (text.starts_with((*best)->text))
                return (*best)->text.size();
            *best = m_hits.back();
            m_hits.pop_back();
        }
        return std::nullopt;
    }

private:
    struct Piece {
        std::string_view text;
        long pass;
    };

    static constexpr uint64_t kModulus = (uint64_t{1} << 61) - 1;

    // Chosen once per run, so that no page can be written to make its pieces collide.
    static uint64_t base() {
        static const uint64_t chosen = [] {
            std::random_device random;
            uint64_t b = (uint64_t{random()} << 32) ^ random();
            return 1000 + b % (kModulus - 2000);
        }();
        return chosen;
    }

    static uint64_t next(uint64_t hash, char c) {
        unsigned __int128 product = static_cast<unsigned __int128>(hash) * base();
        uint64_t folded = static_cast<uint64_t>(product & kModulus) + static_cast<uint64_t>(product >> 61);
        folded += static_cast<unsigned char>(c) + 1;
        while (folded >= kModulus)
            folded -= kModulus;
        return folded;
    }

    static uint64_t hashOf(std::string_view text) {
        uint64_t hash = 0;
        for (char c : text)
            hash = next(hash, c);
        return hash;
    }

    static uint64_t key(size_t length, uint64_t hash) { return hash ^ (length * 0x9E3779B97F4A7C15u); }

    std::unordered_map<uint64_t, std::vector<Piece>> m_byKey;
    std::vector<bool> m_hasLength;
    std::vector<const Piece*> m_hits;
    long m_passes = 0;
};

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
    requireStandingApart(prefix, replacement);
    std::string out;
    size_t copied = 0;
    for (size_t at = findText(text, prefix); at != kNotFound; at = findText(text, prefix, copied)) {
        size_t stopAt = stop.empty() ? text.size() : findText(text, stop, at + prefix.size());
        if (stopAt == kNotFound)
            break;  // no later relocation has a stop either
        out.append(text.substr(copied, at - copied));
        out += replacement;
        copied = std::min(text.size(), stopAt + stop.size());
    }
    out.append(text.substr(copied));
    return out;
}

std::string repairRedirects(std::string_view text, std::string_view marker, std::string_view until,
                            std::string_view replacement) {
    requireStandingApart(marker, replacement);
    EarlierPieces earlier;
    bool markersOnly = false;  // a pass with an empty piece replaced every marker left
    std::string out;
    size_t copied = 0;
    for (size_t at = findText(text, marker); at != kNotFound;) {
        size_t body = at + marker.size();
        size_t following = findText(text, marker, body);
        size_t limit = following == kNotFound ? text.size() : following;
        size_t cut = body;
        if (std::optional<size_t> length = earlier.earliestAt(text.substr(body, limit - body))) {
            cut = body + *length;
        } else if (!markersOnly) {
            size_t untilAt = until.empty() ? text.size() : findText(text, until, body);
            if (untilAt == kNotFound || untilAt == body) {
                markersOnly = true;
            } else {
                // A piece that takes in a later marker is applied where it was found only:
                // searched for elsewhere, it would make every later pass rescan the page.
                if (untilAt <= limit)
                    earlier.add(text.substr(body, untilAt - body));
                cut = untilAt;
            }
        }
        out.append(text.substr(copied, at - copied));
        out += replacement;
        copied = cut;
        at = following != kNotFound && following >= cut ? following : findText(text, marker, cut);
    }
    out.append(text.substr(copied));
    return out;
}
