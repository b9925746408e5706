#include "position/core/textmarkers.h"

#include <gtest/gtest.h>

#include "position/tests/resultrow_print.h"

namespace {

struct ExtractCase {
    std::string text, start, end;
    std::string piece;
    long position;
};

TEST(ExtractBetween, CutsBetweenFirstMarkersWithOneBasedPositions) {
    const ExtractCase cases[] = {
        {"abcXdefYghi", "X", "Y", "def", 8},
        {"XaYXbY", "X", "Y", "a", 3},            // first occurrences
        {"xaYXbY", "X", "Y", "b", 6},            // markers are case-sensitive
        {"abcY", "", "Y", "abc", 4},             // empty start: from the first character
        {"abXcd", "X", "", "cd", 6},             // empty end: to the end, length + 1
        {"abc", "", "", "abc", 4},               //
        {"", "", "", "", 1},                     // an empty piece, still "found" by position
        {"abc", "Q", "c", "", -1},               // no start
        {"aXbc", "X", "Q", "", -1},              // no end
        {"aXYb", "X", "Y", "", -1},              // end right after start: empty piece
        {"YaXb", "X", "Y", "", -1},              // an end before the start does not count
        {"<a><b>x</b>", "<b>", "</b>", "x", 8},  //
        {"ab\r\ncd", "\r\n", "d", "c", 6},       //
    };
    for (const ExtractCase& c : cases) {
        ExtractedPiece got = ExtractBetween(c.text, c.start, c.end);
        EXPECT_EQ(got.piece, c.piece) << c.text << " [" << c.start << "] [" << c.end << "]";
        EXPECT_EQ(got.position, c.position) << c.text << " [" << c.start << "] [" << c.end << "]";
    }
}

struct DeleteCase {
    std::string text, start, end;
    bool removeMarkers;
    std::string result;
};

TEST(DeleteBetween, CutsThePieceAndOptionallyItsMarkers) {
    const DeleteCase cases[] = {
        {"abXcdYef", "X", "Y", false, "abXYef"},
        {"abXcdYef", "X", "Y", true, "abef"},
        {"abcMARKdef", "", "MARK", false, "MARKdef"},   // drops everything in front of the marker
        {"abcMARKdef", "", "MARK", true, "def"},        // and the marker too
        {"page.html?q=1", "?", "", true, "page.html"},  // drops a query
        {"page.html?", "?", "", true, "page.html?"},    // a bare question mark stays
        {"page.html?q", "?", "", false, "page.html?"},  //
        {"abc", "X", "Y", true, "abc"},                 // not found: unchanged
        {"aXYb", "X", "Y", true, "aXYb"},               // empty piece: unchanged
        {"MARKdef", "", "MARK", true, "MARKdef"},       // marker first: empty piece
        {"abc", "", "", true, ""},                      // nothing kept in front or behind
        {"aXbYcXdYe", "X", "Y", true, "acXdYe"},        // only the first
    };
    for (const DeleteCase& c : cases) {
        EXPECT_EQ(DeleteBetween(c.text, c.start, c.end, c.removeMarkers), c.result)
            << c.text << " [" << c.start << "] [" << c.end << "] " << c.removeMarkers;
    }
}

struct ReplaceCase {
    std::string text, find, replacement, result;
};

TEST(ReplaceAll, ReplacesEveryOccurrenceIncludingOnesReplacementsForm) {
    const ReplaceCase cases[] = {
        {"a.b.c", ".", "-", "a-b-c"},
        {"<LI>x<LI>y", "<LI>", "[EnD][[]]", "[EnD][[]]x[EnD][[]]y"},
        {"aaa", "a", "a", "aaa"},        // find equal to the replacement: unchanged
        {"abc", "", "x", "abc"},         // an empty find occurs nowhere
        {"abc", "z", "x", "abc"},        //
        {"", "a", "b", ""},              //
        {"aab", "ab", "b", "b"},         // "aab" -> "ab" -> "b": with the text before
        {"abb", "ab", "a", "a"},         // "abb" -> "ab" -> "a": with the text after
        {"aaabb", "aab", "a", "a"},      // "aaabb" -> "aab" -> "a"
        {"aaaa", "aa", "b", "bb"},       // overlapping occurrences, from the left
        {"aaa", "aa", "a", "a"},         //
        {"xaabby", "ab", "", "xy"},      // an empty replacement joins the text around it
        {"a%2F+b", "%", "&", "a&2F+b"},  //
    };
    for (const ReplaceCase& c : cases) {
        EXPECT_EQ(ReplaceAll(c.text, c.find, c.replacement), c.result)
            << c.text << " [" << c.find << "] [" << c.replacement << "]";
    }
}

TEST(ReplaceAll, ReplacementHoldingTheFindReplacesEachOriginalOnce) {
    // Searching again from the start would find the replacement's own occurrence forever.
    const ReplaceCase cases[] = {
        {"a-b-c", "-", "--", "a--b--c"},
        {"xx", "x", "xy", "xyxy"},
        {"Y#Y~Y and Y#Y~Y", "Y#Y~Y", "[Y#Y~Y]", "[Y#Y~Y] and [Y#Y~Y]"},
        {"aaa", "aa", "aab", "aaba"},
        {"none here", "x", "xx", "none here"},
    };
    for (const ReplaceCase& c : cases) {
        EXPECT_EQ(ReplaceAll(c.text, c.find, c.replacement), c.result)
            << c.text << " [" << c.find << "] [" << c.replacement << "]";
    }
}

TEST(ReplaceAll, ReplacementsCanKeepFormingNewOccurrences) {
    // "ab" -> "bba" doubles the b's for every a in front of them.
    EXPECT_EQ(ReplaceAll("aaab", "ab", "bba"), "bbbbbbbbaaa");
}

struct NumberCase {
    std::string text, open, close;
    int first;
    std::string result;
};

TEST(NumberMarkers, NumbersEmptyPairsFromTheLeft) {
    const NumberCase cases[] = {
        {"x[[]]y[[]]z", "[[", "]]", 1, "x[[1]]y[[2]]z"},
        {"[[]][[]][[]]", "[[", "]]", 7, "[[7]][[8]][[9]]"},
        {"[[ ]] [[x]]", "[[", "]]", 1, "[[ ]] [[x]]"},  // only pairs with nothing between
        {"[[[[]]]]", "[[", "]]", 1, "[[[[1]]]]"},       //
        {"<><>", "<", ">", 0, "<0><1>"},                //
        {"]]]", "]", "]", 1, "]1]2]"},                  // a number's close opens the next pair
        {"a[b[", "[", "", 1, "a[1b[2"},                 // an empty mark: each once
        {"", "[[", "]]", 1, ""},                        //
    };
    for (const NumberCase& c : cases) {
        EXPECT_EQ(NumberMarkers(c.text, c.open, c.close, c.first), c.result)
            << c.text << " [" << c.open << "] [" << c.close << "]";
    }
}

using Rows = std::vector<ResultRow>;

TEST(ExtractRows, CutsLabelAndAddressOfEachItem) {
    const std::string text = "<i>1:http://a.com/</i> <i>2:http://b.com/?q=1</i><i>3:http://c.com/?</i>";
    EXPECT_EQ(ExtractRows(text, "<i>", "</i>", "", ":", ":", ""),
              (Rows{{"1", "http://a.com/"}, {"2", "http://b.com/"}, {"3", "http://c.com/?"}}));
}

TEST(ExtractRows, StopsAtTheFirstItemWithoutLabelOrAddress) {
    EXPECT_EQ(
        ExtractRows("<i>1:http://a/</i><i>no label</i><i>3:http://c/</i>", "<i>", "</i>", "", ":", ":", ""),
        (Rows{{"1", "http://a/"}}));
    // An address that is nothing but a query counts as none.
    EXPECT_EQ(ExtractRows("<i>1:?q</i><i>2:http://c/</i>", "<i>", "</i>", "", ":", ":", ""), Rows{});
    EXPECT_EQ(ExtractRows("no items here", "<i>", "</i>", "", ":", ":", ""), Rows{});
}

TEST(ExtractRows, ItemEndStaysInFrontOfWhatIsLeft) {
    // Items that end where the next begins: the last one has no end and is not cut out.
    EXPECT_EQ(ExtractRows("[[1]]a.com[[2]]b.com[[3]]c.com", "[[", "[[", "", "]]", "]]", ""),
              (Rows{{"1", "a.com"}, {"2", "b.com"}}));
}

TEST(ExtractRows, EmptyItemEndGivesOneItem) {
    EXPECT_EQ(ExtractRows("<i>1:a.com <i>2:b.com", "<i>", "", "", ":", ":", " "), (Rows{{"1", "a.com"}}));
}

}  // namespace
