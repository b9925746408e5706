#include "pageprep/core/headsteps.h"

#include <gtest/gtest.h>

#include <random>

#include "pageprep/tests/errormessage.h"
#include "platform/core/text.h"

namespace {

const char* const Page = "page.htm";

std::string invalidFile(const std::string& reason) {
    return "The File 'page.htm' is not a valid HTML 3.2 File\r(" + reason + ")";
}

TEST(ExtractHeadSection, CutsThePageAfterTheHeadEndTag) {
    struct Case {
        std::string page, head;
    };
    const Case cases[] = {
        {"<html><head></head><body>x</body>", "<html><head></head>"},
        {"<HTML><HEAD></HEAD><BODY BGCOLOR=white>", "<HTML><HEAD></HEAD>"},
        {"<html><head></head><frameset cols=\"1,2\">", "<html><head></head>"},  // no body, a frameset
        {"<head></HeAd><FrameSet>", "<head></HeAd>"},
        {"<head></head><frameset></head><body>", "<head></head>"},  // the first end tag
        {"<head>\n<title>t</title>\n</head>\n<body>", "<head>\n<title>t</title>\n</head>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(extractHeadSection(c.page, Page), c.head) << c.page;
}

TEST(ExtractHeadSection, RefusesPagesWithoutBodyOrHeadEnd) {
    struct Case {
        std::string page, reason;
    };
    const Case cases[] = {
        {"<html><head></head></html>", "Missing '<BODY> or <FRAMESET>' Tag"},
        {"", "Missing '<BODY> or <FRAMESET>' Tag"},
        {"<html><head><body></head>", "Missing '</HEAD>' Tag"},  // only after the body
        {"<html><head><body>", "Missing '</HEAD>' Tag"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(errorMessage<EInvalidHTMLFile>([&] { extractHeadSection(c.page, Page); }),
                  invalidFile(c.reason))
            << c.page;
    }
}

TEST(SetCRLFLineBreaks, MakesEveryBreakCrLf) {
    struct Case {
        std::string text, result;
    };
    const Case cases[] = {
        {"a\nb", "a\r\nb"},
        {"a\rb", "a\r\nb"},
        {"a\r\nb", "a\r\nb"},
        {"a\n\rb", "a\r\nb"},          // LF CR is one break
        {"a\n\r\n\rb", "a\r\n\r\nb"},  // LF CR LF CR: two
        {"a\r\r\nb", "a\r\n\r\nb"},    // a lone CR, then CR LF
        {"a\n\r\nb", "a\r\n\r\nb"},    // LF CR, then a lone LF
        {"a\n\nb\r\rc", "a\r\n\r\nb\r\n\r\nc"},
        {"\n", "\r\n"},
        {"abc", "abc"},
    };
    for (const Case& c : cases) {
        HeadBuffer buffer(c.text);
        SetCRLFLineBreaks(buffer);
        EXPECT_EQ(buffer.text(), c.result);
    }
}

TEST(ReadTitleLine, ReadsTheTitleAfterPuttingItOnALineOfItsOwn) {
    struct Case {
        std::string head, title, text;
    };
    const Case cases[] = {
        {"<head><title>My Page</title></head>", "My Page", "<head>\r\n<title>My Page</title>\r\n</head>"},
        {"<HEAD>\r\n<TITLE>My\r\nPage</TITLE>\r\n</HEAD>", "My Page",  // a break becomes a blank
         "<HEAD>\r\n\r\n<TITLE>My Page</TITLE>\r\n\r\n</HEAD>"},
        {"<head><title> spaced </title></head>", " spaced ", "<head>\r\n<title> spaced </title>\r\n</head>"},
        {"<head></head>", "Title Missing - Metrune",  // even with the end tag right after the start tag
         "<head>\r\n<title>Title Missing - Metrune</title>\r\n</head>"},
        {"<head><meta name=x></head>", "Title Missing - Metrune",
         "<head>\r\n<title>Title Missing - Metrune</title>\r\n<meta name=x></head>"},
        {"<head><title>open\r\n</head>", "open\r\n</head>",  // no end tag: up to the end of the head
         "<head><title>open\r\n</head>"},
        {"<html></head>", "", "<html></head>"},  // no head start tag: nothing read, nothing changed
    };
    for (const Case& c : cases) {
        HeadBuffer buffer(c.head);
        EXPECT_EQ(ReadTitleLine(buffer, Page), c.title) << c.head;
        EXPECT_EQ(buffer.text(), c.text) << c.head;
    }
}

TEST(ReadTitleLine, RefusesEmptyTitlesAndTagsInsideTheTitle) {
    struct Case {
        std::string head, message;
    };
    const Case cases[] = {
        {"<head><title></title></head>",
         "Title Tag used improperly (Missing 'Content') The title tag requires some content to be a useful "
         "addition!  e.g. My Home Page please update this file before submitting it to the search engines "
         "for ranking! \r\nFile name = page.htm"},
        {"<head><title>a<b>c</b></title></head>",
         "Title Tag improperly ended. Another tag starts before '</title>' tag"},
        {"<head><title>a<</title></head>",
         "Title Tag improperly ended. Another tag starts before '</title>' tag"},
    };
    for (const Case& c : cases) {
        HeadBuffer buffer(c.head);
        EXPECT_EQ(errorMessage<EInvalidMetaTag>([&] { ReadTitleLine(buffer, Page); }), c.message) << c.head;
    }
}

TEST(SetUpHeadBlock, PutsHeadTagsAndTheFirstScriptAndStyleOnLinesOfTheirOwn) {
    struct Case {
        std::string head, text;
    };
    const Case cases[] = {
        {"<head>\r\n<title>t</title>\r\n</head>", "<head>\r\n<title>t</title>\r\n</head>"},
        {"<html><head><title>t</title></head>", "<html>\r\n<head>\r\n<title>t</title>\r\n</head>\r\n"},
        {"<head><title>t</title></head>", "<head>\r\n<title>t</title>\r\n</head>\r\n"},
        {" <head>\r\n</head>", " \r\n<head>\r\n\r\n</head>"},
        // blanks before the end tag go, and the tag is written upper-case
        {"<head>\r\n<title>t</title>   </head>", "<head>\r\n<title>t</title>\r\n</HEAD>\r\n"},
        {"<head>\r\n<script>a</script><meta>\r\n</head>",
         "<head>\r\n\r\n<script>a\r\n</script>\r\n<meta>\r\n</head>"},
        {"<head>\r\n<style>p{}</style><script>b</script><script>c</script>\r\n</head>",
         "<head>\r\n\r\n<style>p{}\r\n</style>\r\n\r\n<script>b\r\n</script>\r\n<script>c</script>\r\n</"
         "head>"},
    };
    for (const Case& c : cases) {
        HeadBuffer buffer(c.head);
        const HeadBlock block = SetUpHeadBlock(buffer, Page);
        EXPECT_EQ(buffer.text(), c.text) << c.head;
        EXPECT_TRUE(equalsIgnoringCase(buffer.text().substr(block.headEnd - 6, 6), "<head>")) << c.head;
        EXPECT_TRUE(equalsIgnoringCase(buffer.text().substr(block.closeHead, 7), "</head>")) << c.head;
    }
}

TEST(SetUpHeadBlock, RefusesMissingHeadTagsAndUnclosedBlocks) {
    struct Case {
        std::string head, reason;
    };
    const Case cases[] = {
        {"<head profile=\"x\">\r\n</head>", "Missing '<HEAD>' Tag"},
        {"<head>\r\n<script>a\r\n</head>",
         "Invalid Usage in HEAD, Missing '</SCRIPT>' Tag - Cannot Continue!"},
        {"<head>\r\n<style>a\r\n</head>", "Invalid Usage in HEAD, Missing '</STYLE>' Tag - Cannot Continue!"},
        {"<head>\r\n<SCRIPT>a\r\n</head><p></script>",
         "Invalid Usage in HEAD, Missing '</SCRIPT>' Tag - Cannot Continue!"},
    };
    for (const Case& c : cases) {
        HeadBuffer buffer(c.head);
        EXPECT_EQ(errorMessage<EInvalidHTMLFile>([&] { SetUpHeadBlock(buffer, Page); }),
                  invalidFile(c.reason))
            << c.head;
    }
}

TEST(PositionTitleLine, MovesTheFirstTitleLineUnderTheHeadLine) {
    struct Case {
        std::string head, text;
    };
    const Case cases[] = {
        {"<head>\r\nA\r\n<title>t</title>\r\nB\r\n</head>",
         "<head>\r\n<title>t</title>\r\nA\r\nB\r\n</head>"},
        {"<head>\r\n<TITLE>1\r\n<title>2\r\n</head>", "<head>\r\n<TITLE>1\r\n<title>2\r\n</head>"},
        {"A\r\nB\r\nx<Title>t\r\n</head>", "x<Title>t\r\nA\r\nB\r\n</head>"},  // no head line: to the top
        {"<head>\r\nA\r\n</head>\r\n<title>t", "<head>\r\nA\r\n</head>\r\n<title>t"},  // only inside
    };
    for (const Case& c : cases) {
        HeadBuffer buffer(c.head);
        PositionTitleLine(buffer);
        EXPECT_EQ(buffer.text(), c.text);
    }
}

TEST(PositionLines, OrdersPicsLabelsThenMetaLinesThenTheRest) {
    HeadBuffer buffer(
        "<head>\r\n<title>t</title>\r\nA\r\n<meta 1>\r\n<meta http-equiv=\"PICS-Label\" 1>\r\nB\r\n\r\n"
        "<META 2>\r\n<meta HTTP-EQUIV=\"pics-label\" 2>\r\n</head>\r\nafter");
    // A line put in with breaks inside is cut up before the sorting.
    buffer.insertLine(3, "<meta 0>\r\nC");
    PositionLines(buffer);
    EXPECT_EQ(buffer.text(),
              "<head>\r\n<title>t</title>\r\n<meta HTTP-EQUIV=\"pics-label\" 2>\r\n"
              "<meta http-equiv=\"PICS-Label\" 1>\r\n<meta 0>\r\n<meta 1>\r\n<META 2>\r\nA\r\nC\r\nB\r\n"
              "</head>\r\nafter");
}

// The sorting as a holding list filled line by line and put back line by line.
std::vector<std::string> holdingListOrder(const std::vector<std::string>& lines) {
    std::vector<std::string> holding;
    std::size_t metas = 0;
    for (const std::string& line : lines) {
        if (containsIgnoringCase(line, "<meta http-equiv=\"PICS-Label\"")) {
            holding.push_back(line);
        } else if (containsIgnoringCase(line, "<META")) {
            holding.insert(holding.begin() + static_cast<std::ptrdiff_t>(metas), line);
        } else if (!line.empty()) {
            holding.insert(holding.begin(), line);
            ++metas;
        }
    }
    std::vector<std::string> result;
    for (const std::string& line : holding)
        result.insert(result.begin(), line);
    return result;
}

TEST(PositionLines, MatchesTheHoldingListOnRandomHeads) {
    const std::vector<std::string> kinds = {"x",
                                            "y",
                                            "",
                                            "<meta a>",
                                            "<META b>",
                                            "<meta http-equiv=\"PICS-Label\" c>",
                                            "<meta http-equiv=\"pics-label\" d>"};
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> lines;
        const int count = std::uniform_int_distribution<int>(0, 12)(random);
        for (int i = 0; i < count; ++i) {
            lines.push_back(kinds[std::uniform_int_distribution<std::size_t>(0, kinds.size() - 1)(random)] +
                            std::to_string(i));
            if (lines.back() == std::to_string(i) && i % 2 == 0)
                lines.back().clear();
        }
        HeadBuffer buffer;
        std::vector<std::string>& all = buffer.lines();
        all = {"<head>", "<title>t</title>"};
        all.insert(all.end(), lines.begin(), lines.end());
        all.push_back("</head>");
        PositionLines(buffer);

        std::vector<std::string> expected = {"<head>", "<title>t</title>"};
        const std::vector<std::string> ordered = holdingListOrder(lines);
        expected.insert(expected.end(), ordered.begin(), ordered.end());
        expected.push_back("</head>");
        EXPECT_EQ(buffer.lines(), expected);
    }
}

TEST(NormalizeJoinedHead, TakesOutBlanksAroundTagsAndEqualsAndSplitsTags) {
    struct Case {
        std::string joined, result;
    };
    const Case cases[] = {
        {"<title>t</title> <meta name = \"a\"  content =  \"b c\">",
         "<title>t</title>\r\n<meta name=\"a\"  content=\"b c\">"},
        {"<META   name=\"x\">", "<META name=\"x\">"},
        {"<link  rel=x><LINK    a>", "<link rel=x>\r\n<LINK a>"},
        {"<metax  a>", "<metax  a>"},  // only right after the tag name
        {"x   <y", "x<y"},
        {"a = b", "a=b"},
        {"= = x", "==x"},
        {"a  =  <b", "a=<b"},
        {"<a>  <b>", "<a>\r\n<b>"},  // the blanks go first, then the tags are split
        {"<a>\t<b>", "<a>\t<b>"},    // only blanks count
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(normalizeJoinedHead(c.joined), c.result) << c.joined;
}

// Each rule applied to the first occurrence until it no longer applies.
std::string repeatUntilGone(std::string text, std::string_view find, std::size_t eraseAt) {
    for (std::size_t at; (at = findIgnoringCase(text, find)) != std::string::npos;)
        text.erase(at + eraseAt, 1);
    return text;
}

std::string normalizeLiterally(std::string text) {
    text = repeatUntilGone(text, " <", 0);
    text = repeatUntilGone(text, " =", 0);
    text = repeatUntilGone(text, "= ", 1);
    text = repeatUntilGone(text, "<META  ", 6);
    text = repeatUntilGone(text, "<LINK  ", 6);
    for (std::size_t at; (at = text.find("><")) != std::string::npos;)
        text.insert(at + 1, "\r\n");
    return text;
}

TEST(NormalizeJoinedHead, MatchesTheRulesAppliedOneOccurrenceAtATime) {
    const std::vector<std::string> pieces = {" ",     "  ",    "<", ">",  "=",
                                             "<meta", "<LINK", "a", "\"", "<Meta  "};
    std::mt19937 random(11);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const int count = std::uniform_int_distribution<int>(0, 14)(random);
        for (int i = 0; i < count; ++i)
            text += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
        ASSERT_EQ(normalizeJoinedHead(text), normalizeLiterally(text)) << "[" << text << "]";
    }
}

TEST(BuildTagList, ListsDescriptionThenKeywords) {
    std::vector<std::string> shown;
    const TagList tags =
        BuildTagList(Page, [&](std::string_view text, HeadProgressKind) { shown.emplace_back(text); });
    EXPECT_EQ(tags, (TagList{"description=", "keywords="}));
    EXPECT_EQ(shown, (std::vector<std::string>{"Building Tag List...", "Loading Description page.htm",
                                               "Loading Keywords page.htm"}));
}

}  // namespace
