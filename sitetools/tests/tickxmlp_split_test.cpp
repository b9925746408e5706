#include "sitetools/core/tickxmlp.h"

#include <gtest/gtest.h>

#include "sitetools/tests/xmlevents.h"

#include <random>

namespace {

using Events = std::vector<std::string>;

// Every construct of the state table at least once, with line breaks in text and in tags.
const std::string Page =
    "<?xml version=\"1.0\"?>\n<!DOCTYPE html [<!ENTITY x \"a>b\">]>\n<HTML><head>\n"
    "<title>R&D &amp; more</title><!-- a -- comment ---><!---->\n"
    "<meta name=keywords content='a, b'/><br clear /><img src=x.gif/>\n"
    "</head>\n<body bgcolor=#fff onload=\"f(1 > 0)\">\r\n"
    "<a href = \"a&amp;b.html\" TARGET=_top>x < y &lt z</a >\n\n"
    "<![CDATA[ <not> ]a] ]]><p/x>a\n<\nb\n</p><//q><1a b=&c d&e=f>tail&#169;"
    "<x:y:z c:d=e,f g='&h;'>\n&\n<\n";

// Documents that end inside every kind of construct.
const std::vector<std::string> Documents = {
    Page,           "<a href=x", "text\n",      "x\n<",  "a&amp",   "<!-- unfinished -",
    "<![CDATA[ ]]", "<?pi ?",    "<!DOCTYPE [", "</end", "<a b='c",
};

std::vector<XmlOptions> optionSets() {
    std::vector<XmlOptions> sets(5);
    sets[1].preserveWhiteSpace = true;
    sets[2].flushOnEOL = false;
    sets[3].extraNameChars = ":-_";
    sets[3].extraSpaceChars = ",";
    sets[4].evalEntities = true;
    return sets;
}

TEST(TickXMLpSplit, EveryTwoPieceSplitGivesTheEventsOfTheWhole) {
    for (const XmlOptions& options : optionSets()) {
        for (const std::string& document : Documents) {
            const std::string_view whole = document;
            const Events expected = tokenize(whole, options);
            for (std::size_t at = 0; at <= whole.size(); ++at) {
                ASSERT_EQ(tokenize({whole.substr(0, at), whole.substr(at)}, options), expected)
                    << "split at " << at << " of " << document;
            }
        }
    }
}

TEST(TickXMLpSplit, EveryThreePieceSplitGivesTheEventsOfTheWhole) {
    // A compact page, so that all pairs of split points stay cheap.
    const std::string_view whole =
        "<?x?>\n<!D [<!E \"a>b\">]><!-- c --->\n<a href = \"a&amp;b\" T=_t c/>x < y &lt z\n</a >\n"
        "<![CDATA[ ]a] ]]><br clear /><p/x>a\n<\nb&#1;";
    const Events expected = tokenize(whole);
    for (std::size_t first = 0; first <= whole.size(); ++first) {
        for (std::size_t second = first; second <= whole.size(); ++second) {
            const auto events =
                tokenize({whole.substr(0, first), whole.substr(first, second - first), whole.substr(second)});
            ASSERT_EQ(events, expected) << "split at " << first << " and " << second;
        }
    }
}

TEST(TickXMLpSplit, RandomPieceSizesGiveTheEventsOfTheWhole) {
    std::mt19937 random(4);
    for (const XmlOptions& options : optionSets()) {
        const Events expected = tokenize(Page, options);
        for (std::size_t maxPiece : {1, 2, 5, 17, 100}) {
            for (int round = 0; round < 50; ++round) {
                ASSERT_EQ(tokenize(randomPieces(Page, random, maxPiece), options), expected)
                    << "pieces of up to " << maxPiece << ", round " << round;
            }
        }
    }
}

TEST(TickXMLpSplit, OneCharacterAtATimeGivesTheEventsOfTheWhole) {
    for (const XmlOptions& options : optionSets()) {
        const std::string_view whole = Page;
        std::vector<std::string_view> pieces;
        for (std::size_t i = 0; i < whole.size(); ++i) {
            pieces.push_back(whole.substr(i, 1));
        }
        EXPECT_EQ(tokenize(pieces, options), tokenize(whole, options));
    }
}

// Random fragments of markup mixed with random bytes, so that every state is entered and left.
std::string randomMarkup(std::mt19937& random, std::size_t size, bool withNul) {
    static const std::vector<std::string> fragments = {
        "<",     "</",    ">",  "/>", "<!--", "-->", "-",     "<![CDATA[", "]]>", "]",     "[",
        "<?",    "?>",    "<!", "\"", "'",    "=",   "&amp;", "&",         "#",   ";",     " ",
        "\n",    "\r\n",  "\t", "a",  "href", "P1",  "x:y",   "_",         "<a ", "<br/>", "<img src=x.gif/>",
        "<p>\n", "\n</p>"};
    std::uniform_int_distribution<int> pick(0, 3);
    std::uniform_int_distribution<std::size_t> fragment(0, fragments.size() - 1);
    std::uniform_int_distribution<int> anyByte(withNul ? 0 : 1, 255);
    std::string out;
    while (out.size() < size) {
        if (pick(random) == 0) {
            out += static_cast<char>(anyByte(random));
        } else {
            out += fragments[fragment(random)];
        }
    }
    return out;
}

TEST(TickXMLpSplit, LongRandomInputInRandomPiecesMatchesTheWhole) {
    std::mt19937 random(20240917);
    for (const XmlOptions& options : optionSets()) {
        const std::string document = randomMarkup(random, 400000, false);
        const Events expected = tokenize(document, options);
        EXPECT_GT(expected.size(), 1000u);
        EXPECT_EQ(tokenize(randomPieces(document, random, 300), options), expected);
    }
}

TEST(TickXMLpSplit, TakingRunsInOneGoChangesNoEvent) {
    std::mt19937 random(31);
    for (XmlOptions options : optionSets()) {
        for (const std::string& document : {Page, randomMarkup(random, 200000, false)}) {
            const Events expected = tokenize(document, options);
            options.stepwise = true;
            EXPECT_EQ(tokenize(document, options), expected);
            options.stepwise = false;
        }
    }
}

TEST(TickXMLpSplit, ANulEndsOnlyItsOwnPiece) {
    std::mt19937 random(77);
    const std::string document = randomMarkup(random, 400000, true);
    const auto pieces = randomPieces(document, random, 2000);
    std::string readable;
    for (std::string_view piece : pieces) {
        readable += piece.substr(0, piece.find('\0'));
    }
    EXPECT_EQ(tokenize(pieces), tokenize(readable));
}

}  // namespace
