#include "position/core/rewrite.h"

#include <gtest/gtest.h>

#include <random>

#include "bench/analyze_baseline.h"
#include "position/core/textmarkers.h"

namespace {

// Every text over {a, b} up to the given length.
std::vector<std::string> allTexts(size_t maxLength) {
    std::vector<std::string> texts{""};
    for (size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].size() == maxLength)
            continue;
        texts.push_back(texts[i] + "a");
        texts.push_back(texts[i] + "b");
    }
    return texts;
}

// Texts made of the given pieces, so that markers and their fragments meet in every way.
class PieceTexts {
public:
    explicit PieceTexts(std::vector<std::string> pieces) : m_pieces(std::move(pieces)) {}
    std::string next(size_t maxPieces) {
        std::string text;
        size_t count = std::uniform_int_distribution<size_t>(0, maxPieces)(m_random);
        for (size_t i = 0; i < count; ++i) {
            text += m_pieces[std::uniform_int_distribution<size_t>(0, m_pieces.size() - 1)(m_random)];
        }
        return text;
    }

private:
    std::vector<std::string> m_pieces;
    std::mt19937 m_random{20240601};
};

TEST(RewriteAsWorded, ReplaceAllEqualsTheWordedLoopWhereverThatEnds) {
    const std::vector<std::string> texts = allTexts(8);
    const std::vector<std::string> finds = {"a", "b", "aa", "ab", "ba", "bb", "aab", "aba", "abb", "bab"};
    const std::vector<std::string> replacements = allTexts(3);
    long compared = 0;
    for (const std::string& find : finds) {
        for (const std::string& replacement : replacements) {
            if (replacement.find(find) != std::string::npos)
                continue;
            for (const std::string& text : texts) {
                std::optional<std::string> worded = baseline::ReplaceAllWithin(text, find, replacement, 2000);
                if (!worded)
                    continue;
                ASSERT_EQ(ReplaceAll(text, find, replacement), *worded)
                    << text << " [" << find << "] [" << replacement << "]";
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 50000);
}

TEST(RewriteAsWorded, ReplacementHoldingTheFindIsWhereTheWordedLoopNeverEnds) {
    for (const std::string& text : allTexts(6)) {
        const std::vector<std::pair<std::string, std::string>> pairs = {
            {"a", "ab"}, {"ab", "aab"}, {"b", "bb"}};
        for (const auto& [find, replacement] : pairs) {
            bool occurs = text.find(find) != std::string::npos;
            EXPECT_EQ(baseline::ReplaceAllWithin(text, find, replacement, 1000).has_value(), !occurs);
            std::string once;
            for (size_t at = 0; at < text.size();) {
                if (text.compare(at, find.size(), find) == 0) {
                    once += replacement;
                    at += find.size();
                } else {
                    once += text[at++];
                }
            }
            EXPECT_EQ(ReplaceAll(text, find, replacement), once) << text;
        }
    }
}

TEST(RewriteAsWorded, RewritingThatDoesNotSettleIsGivenUp) {
    auto fixed = [](std::string_view r) { return [r](long, std::string& out) { out += r; }; };
    EXPECT_FALSE(rewriteLeftmost("xa", "a", fixed("ba"), 1000).has_value());  // grows for ever
    EXPECT_FALSE(rewriteLeftmost("xa", "a", fixed("a")).has_value());         // turns in place
    EXPECT_EQ(rewriteLeftmost("aaab", "ab", fixed("bba"), 1000), "bbbbbbbbaaa");
}

TEST(RewriteAsWorded, NumberingEqualsTheWordedLoop) {
    PieceTexts texts({"[[", "]]", "[", "]", "x", "[[]]", "1"});
    for (int i = 0; i < 20000; ++i) {
        std::string text = texts.next(10);
        ASSERT_EQ(NumberMarkers(text, "[[", "]]", 1), baseline::NumberMarkers(text, "[[", "]]", 1)) << text;
        ASSERT_EQ(NumberMarkers(text, "]", "]", 3), baseline::NumberMarkers(text, "]", "]", 3)) << text;
        ASSERT_EQ(numberPairs(text, "[[", "]]", 1, "."),
                  baseline::numberPairsInTurn(text, "[[", "]]", 1, "."))
            << text;
        ASSERT_EQ(numberOccurrences(text, "[[]]", 1, 2, "<", ">", 1),
                  baseline::numberOccurrencesInTurn(text, "[[]]", 1, 2, "<", ">", 1))
            << text;
    }
}

TEST(RewriteAsWorded, RepeatedDeleteEqualsTheWordedLoop) {
    PieceTexts texts({"]~", "]", "~", "=\">", "=", "\">", "x", "<b>", "<", "b>"});
    for (int i = 0; i < 20000; ++i) {
        std::string text = texts.next(12);
        ASSERT_EQ(deleteBetweenRepeatedly(text, "]~", "=\">"),
                  baseline::deleteBetweenRepeatedly(text, "]~", "=\">"))
            << text;
        ASSERT_EQ(deleteBetweenRepeatedly(text, "]~", "<b>"),
                  baseline::deleteBetweenRepeatedly(text, "]~", "<b>"))
            << text;
        ASSERT_EQ(deleteBetweenRepeatedly(text, "", "~"), baseline::deleteBetweenRepeatedly(text, "", "~"))
            << text;
    }
}

// Whether every occurrence of `marker` has its `until` before the next marker begins, and no
// piece ends in the beginning of a marker: the texts on which the one pass and the worded loop
// agree. Elsewhere the worded loop rescans the page once per marker.
bool markersStandApart(std::string_view text, std::string_view marker, std::string_view until) {
    for (size_t k = 1; k < marker.size(); ++k) {
        if (text.find(std::string(marker.substr(0, k)) + std::string(until)) != std::string_view::npos)
            return false;
    }
    for (size_t at = text.find(marker); at != std::string_view::npos;) {
        size_t untilAt = text.find(until, at + marker.size());
        size_t next = text.find(marker, at + 1);
        if (untilAt != std::string_view::npos && next != std::string_view::npos && next < untilAt)
            return false;
        at = next;
    }
    return true;
}

TEST(RewriteAsWorded, RelocationCollapseEqualsTheWordedLoop) {
    const std::string prefix = "HREF=\"http://www.excite.com/relocate/";
    PieceTexts texts({prefix, prefix, "HREF=\"", ";", ";", "x", "y", "LiNkStArT:", "\">"});
    long compared = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string text = texts.next(10);
        std::string collapsed = collapseRelocations(text, prefix, ";", "LiNkStArT:");
        // Whatever the text, no relocation with a stop after it is left.
        size_t left = collapsed.find(prefix);
        ASSERT_TRUE(left == std::string::npos || collapsed.find(';', left) == std::string::npos) << text;
        if (!markersStandApart(text, prefix, ";"))
            continue;
        ASSERT_EQ(collapsed, baseline::collapseRelocations(text, prefix, ";", "LiNkStArT:")) << text;
        ++compared;
    }
    EXPECT_GT(compared, 10000);
    // Prefixes that overlap themselves stand apart only where their occurrences do.
    PieceTexts small({"aa", "a", ";", "b", "x"});
    for (int i = 0; i < 5000; ++i) {
        std::string text = small.next(10);
        if (!markersStandApart(text, "aa", ";"))
            continue;
        ASSERT_EQ(collapseRelocations(text, "aa", ";", "x"),
                  baseline::collapseRelocations(text, "aa", ";", "x"))
            << text;
    }
}

TEST(RewriteAsWorded, RedirectRepairEqualsTheWordedLoop) {
    PieceTexts texts({"/redirect", "/redirect", "//www", "?u=", "http:", "a", "b", "/", "w", "//ww"});
    long compared = 0;
    for (int i = 0; i < 30000; ++i) {
        std::string text = texts.next(12);
        std::string repaired = repairRedirects(text, "/redirect", "//www", "http:");
        ASSERT_EQ(repaired.find("/redirect"), std::string::npos) << text;  // as the loop ends
        if (!markersStandApart(text, "/redirect", "//www"))
            continue;
        ASSERT_EQ(repaired, baseline::repairRedirects(text, "/redirect", "//www", "http:")) << text;
        ++compared;
    }
    EXPECT_GT(compared, 10000);
}

// A piece that reaches over a later marker: the worded loop goes back to the start of the page
// for every marker after it (minutes for a page of 50,000 redirects); the one pass applies that
// piece where it was found and goes on.
TEST(RewriteAsWorded, PiecesReachingOverAMarkerAreAppliedWhereFound) {
    const std::string relocate = "HREF=\"http://www.excite.com/relocate/";
    std::string twoPrefixes = relocate + "a" + relocate + "b;";
    std::string redirects = "/redirecta/redirectb//www";
    for (int i = 0; i < 40; ++i) {
        twoPrefixes += relocate + "sp=" + std::to_string(i) + ";<" + std::to_string(i) + ">";
        redirects += "/redirect" + std::to_string(1000000 + i) + "//www";
    }
    // On the pages such pieces were found on, the result is the worded loop's.
    EXPECT_EQ(collapseRelocations(twoPrefixes, relocate, ";", "LiNkStArT:"),
              baseline::collapseRelocations(twoPrefixes, relocate, ";", "LiNkStArT:"));
    EXPECT_EQ(repairRedirects(redirects, "/redirect", "//www", "http:"),
              baseline::repairRedirects(redirects, "/redirect", "//www", "http:"));
    // Where the worded loop would find such a piece again, or a piece of its own inside it, each
    // relocation still becomes one link start.
    const std::string p = relocate;
    EXPECT_EQ(collapseRelocations(p + "a;" + p + "x" + p + "a;" + p + "b;", p, ";", "L"), "LLL");
    EXPECT_EQ(baseline::collapseRelocations(p + "a;" + p + "x" + p + "a;" + p + "b;", p, ";", "L"), "LL");
    EXPECT_EQ(repairRedirects("/redirecta/redirectb//www /redirecta/redirectbc//www", "/redirect", "//www",
                              "http:"),
              "http://www http://www");
}

TEST(RewriteAsWorded, MarkersTheReplacementCouldFormAreRefused) {
    EXPECT_THROW(collapseRelocations("ab;", "ab", ";", "a"), std::invalid_argument);
    EXPECT_THROW(repairRedirects("/r//www", "/r", "//www", ""), std::invalid_argument);
    EXPECT_THROW(repairRedirects("/r//www", "", "//www", "x"), std::invalid_argument);
}

TEST(RewriteAsWorded, RedirectRepairTakesEarlierPiecesAtLaterMarkers) {
    // The first pass replaces "/redirect?u=" wherever it stands, also in front of a longer piece.
    EXPECT_EQ(
        repairRedirects("/redirect?u=//www.a.com /redirect?u=x//www.b.com", "/redirect", "//www", "http:"),
        "http://www.a.com http:x//www.b.com");
    // A redirect with nothing before "//www" turns every marker left into "http:".
    EXPECT_EQ(repairRedirects("/redirect//www.a.com /redirect?x//www.b.com", "/redirect", "//www", "http:"),
              "http://www.a.com http:?x//www.b.com");
}

}  // namespace
