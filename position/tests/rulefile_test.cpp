#include "position/core/rulefile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/core/safefile.h"
#include "platform/core/text.h"
#include "position/tests/resultrow_print.h"

namespace {

using Rows = std::vector<ResultRow>;
namespace fs = std::filesystem;

const fs::path kEdata = fs::path(RANQOR_DATA_DIR) / "edata";

const std::string kMarkers =
    "item-start=[[\nitem-end=</li>\nlabel-start=\nlabel-end=]]\naddress-start=href=\"\naddress-end=\"\n";

PageRule pageRule(const std::string& text) {
    RuleFileReading reading = readRuleFile(text);
    EXPECT_TRUE(reading.ok()) << "line " << reading.errorLine << ": " << reading.error;
    return reading.ok() ? std::get<PageRule>(reading.rule) : PageRule();
}

EngineRuleFile withoutLines(EngineRuleFile rule) {
    if (PageRule* page = std::get_if<PageRule>(&rule)) {
        for (RuleStep& step : page->steps)
            step.line = 0;
    }
    return rule;
}

TEST(RuleFile, ReadsAPageRuleWithItsStepsDefaultsAndEscapes) {
    PageRule rule = pageRule(
        "# a comment\r\n"
        "\r\n"
        "KIND = page\r\n"
        "Name= Example Search \r\n"
        "step=replace\r\n"
        "    find=<li class=\"r\">\\s\r\n"
        "    with=[[]]\r\n"
        "step=number\r\n"
        "step=drop-before\r\n"
        "\tmarker=a\\r\\nb\\x41\\\\c\\td\r\n" +
        kMarkers + "cut-address-at=&amp;\r\n");
    EXPECT_EQ(rule.displayName, "Example Search");
    ASSERT_EQ(rule.steps.size(), 3u);
    EXPECT_EQ(rule.steps[0].kind, RuleStepKind::Replace);
    EXPECT_EQ(rule.steps[0].marker, "<li class=\"r\"> ");
    EXPECT_EQ(rule.steps[0].with, "[[]]");
    EXPECT_EQ(rule.steps[0].line, 5);
    EXPECT_EQ(rule.steps[1].kind, RuleStepKind::Number);
    EXPECT_EQ(rule.steps[1].start, "[[");
    EXPECT_EQ(rule.steps[1].end, "]]");
    EXPECT_EQ(rule.steps[1].count, 1);
    EXPECT_EQ(rule.steps[1].with, "");
    EXPECT_EQ(rule.steps[2].marker, "a\r\nbA\\c\td");
    EXPECT_FALSE(rule.steps[2].keepMarker);
    EXPECT_EQ(rule.labelStart, "");
    EXPECT_EQ(rule.addressStart, "href=\"");
    EXPECT_EQ(rule.cutAddressAt, "&amp;");
}

TEST(RuleFile, ReadsAJsonRule) {
    RuleFileReading reading =
        readRuleFile("kind=json\nname=Web API\nresults=/web/results\naddress=url\nlabel=/meta/rank\n");
    ASSERT_TRUE(reading.ok()) << reading.error;
    EXPECT_EQ(std::get<JsonRule>(reading.rule), (JsonRule{"Web API", "/web/results", "url", "/meta/rank"}));
}

TEST(RuleFile, AMalformedFileIsNamedByItsLineAndWhy) {
    const std::string page = "kind=page\nname=X\n";
    struct Case {
        std::string text;
        int line;
        std::string error;
    };
    const Case cases[] = {
        {"", 0, "the file is empty; a rule starts with the line kind=page or kind=json"},
        {"# only a comment\n\n", 0, "the file is empty; a rule starts with the line kind=page or kind=json"},
        {"name=X\nkind=page\n", 1, "a rule starts with the line kind=page or kind=json"},
        {"\n\nkind=html\n", 3, "a rule starts with the line kind=page or kind=json"},
        {page + "just words\n", 3, "no \"=\" in the line; every line is key=value"},
        {page + "kind=json\n", 3, "\"kind\" is given twice (first on line 1)"},
        {page + "name=Y\n", 3, "\"name\" is given twice (first on line 2)"},
        {page + "colour=red\n", 3, "unknown key \"colour\" in a kind=page rule"},
        {page + "step=replce\n", 3,
         "there is no step \"replce\" (steps: drop-before, drop-after, keep-after, keep-between, collect, "
         "collect-text, use-collection, replace, number, number-each, delete-between, collapse-relocations, "
         "repair-redirects)"},
        {page + "step=keep-after\nwith=x\n", 4,
         "\"with\" is no setting of the step keep-after (settings: marker)"},
        {page + "step=use-collection\nmarker=x\n", 4,
         "\"marker\" is no setting of the step use-collection (it has none)"},
        {page + "step=replace\nwith=x\n" + kMarkers, 3, "the step replace needs a line find="},
        {page + "step=replace\nfind=\n" + kMarkers, 3, "the step replace needs a find that is not empty"},
        {page + "step=replace\nfind=a\nfind=b\n", 5, "\"find\" is given twice (first on line 4)"},
        {page + "step=drop-before\nmarker=x\nkeep-marker=maybe\n", 5,
         "keep-marker must be yes or no, not \"maybe\""},
        {page + "step=keep-between\ncount=0\n", 4,
         "count must be a number from 1 to 1000000 or all, not \"0\""},
        {page + "step=number-each\nfind=x\nkeep=-1\n", 5,
         "keep must be a whole number from 0 to 1000000, not \"-1\""},
        {page + "step=number\nfirst=1x\n", 4,
         "first must be a whole number from -1000000000 to 1000000000, not \"1x\""},
        {page + "step=replace\nfind=a\\qb\n", 4,
         "unknown escape \"\\q\" (known: \\s \\r \\n \\t \\\\ \\xHH; write \"\\\\\" for a backslash)"},
        {page + "step=replace\nfind=a\\x4\n", 4, "\"\\x\" must be followed by two hexadecimal digits"},
        {page + "step=replace\nfind=a\\\n", 4,
         "a value ends in a lone \"\\\" (write \"\\\\\" for a backslash)"},
        {page + "step=collapse-relocations\nprefix=abc\nwith=cde\n" + kMarkers, 3,
         "the step collapse-relocations needs a with text that cannot form its prefix together with the text "
         "around it"},
        {page + "step=repair-redirects\nmarker=/r\nwith=x/r\n" + kMarkers, 3,
         "the step repair-redirects needs a with text that cannot form its marker together with the text "
         "around "
         "it"},
        {page + "item-start=[[\n", 0, "the line item-end= is missing (it may be empty)"},
        {"kind=page\n" + kMarkers, 0, "the line name= is missing"},
        {"kind=page\nname=\\s\n" + kMarkers, 2, "the name is empty"},
        {"kind=json\nname=A\nstep=replace\n", 3,
         "steps belong to kind=page rules; a kind=json rule has none"},
        {"kind=json\nname=A\naddress=url\n", 0, "the line results= is missing"},
        {"kind=json\nname=A\nresults=items\naddress=url\n", 3,
         "results must be a JSON pointer such as /items or /web/results"},
        {"kind=json\nname=A\nresults=/items\naddress=/a~2\n", 4,
         "address must be a JSON pointer such as /items or /web/results"},
        {"kind=json\nname=A\nresults=/items\naddress=\n", 4, "the address field is empty"},
        {"kind=json\nname=A\nresults=/items\naddress=url\nitem-start=x\n", 5,
         "unknown key \"item-start\" in a kind=json rule"},
        {"kind=page\nname=" + std::string(kMaxRuleFileSize, 'x'), 0, "the file is larger than 1048576 bytes"},
    };
    for (const Case& c : cases) {
        RuleFileReading reading = readRuleFile(c.text);
        EXPECT_FALSE(reading.ok()) << c.text.substr(0, 200);
        EXPECT_EQ(reading.errorLine, c.line) << c.text.substr(0, 200);
        EXPECT_EQ(reading.error, c.error) << c.text.substr(0, 200);
    }
}

TEST(RuleFile, EveryShippedRuleReadsBackFromItsWrittenForm) {
    int read = 0;
    for (const fs::path& folder : {kEdata / "builtin", kEdata / "examples"}) {
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            if (entry.path().extension() != ".rule")
                continue;
            RuleFileReading reading = readRuleFile(readFileBytes(entry.path()));
            ASSERT_TRUE(reading.ok())
                << entry.path() << " line " << reading.errorLine << ": " << reading.error;
            RuleFileReading again = readRuleFile(formatRuleFile(reading.rule));
            ASSERT_TRUE(again.ok()) << entry.path() << " line " << again.errorLine << ": " << again.error;
            EXPECT_EQ(withoutLines(again.rule), withoutLines(reading.rule)) << entry.path();
            ++read;
        }
    }
    EXPECT_EQ(read, 17);
}

TEST(RuleFile, APageRuleReadsANewLayout) {
    // Today's result lists: an ordered list of items, each with its link in a heading, an ad
    // block above them, and links that carry tracking parameters.
    const std::string page = withCrLf(R"(<html><body>
<div class="ads"><li class="result"><a href="https://ads.example/click?x=1">Ad</a></li></div>
<ol id="results">
<li class="result"><h2><a class="title" href="https://www.alpha.com/">Alpha</a></h2><p>Alpha text</p></li>
<li class="result"><h2><a class="title" href="https://www.beta.com/b.html?utm=1">Beta</a></h2></li>
<li class="result"><h2><a class="title" href="https://www.gamma.com/g&amp;ref=x">Gamma</a></h2></li>
</ol></body></html>)");
    PageRule rule = pageRule(
        "kind=page\nname=Modern\n"
        "step=drop-before\nmarker=<ol id=\"results\">\n"
        "step=replace\nfind=<li class=\"result\">\nwith=[[]]\n"
        "step=number\nafter=.\n"
        "item-start=[[\nitem-end=</li>\nlabel-start=\nlabel-end=]]\n"
        "address-start=class=\"title\" href=\"\naddress-end=\"\ncut-address-at=&amp;\n");
    EXPECT_EQ(pageRuleRows(rule, page), (Rows{{"1.", "https://www.alpha.com/"},
                                              {"2.", "https://www.beta.com/b.html"},
                                              {"3.", "https://www.gamma.com/g"}}));
}

TEST(RuleFile, TheShippedPlainHtmlExampleReadsItsLayout) {
    const std::string page = withCrLf(R"(<div class="serp__results"><div id="links" class="results">
<div class="result results_links results_links_deep result--ad ">
<h2 class="result__title"><a rel="nofollow" class="result__a" href="https://duckduckgo.com/y.js?ad_domain=ads.example">Ad</a></h2>
</div>
<div class="result results_links results_links_deep web-result ">
<h2 class="result__title"><a rel="nofollow" class="result__a" href="//duckduckgo.com/l/?uddg=https%3A%2F%2Fwww.alpha.com%2Fpage.html&amp;rut=abc">Alpha</a></h2>
<a class="result__url" href="//duckduckgo.com/l/?uddg=https%3A%2F%2Fwww.alpha.com%2Fpage.html&amp;rut=abc">www.alpha.com/page.html</a>
</div>
<div class="result results_links results_links_deep web-result ">
<h2 class="result__title"><a rel="nofollow" class="result__a" href="https://www.beta.com/">Beta</a></h2>
</div>
</div></div>)");
    PageRule rule = pageRule(readFileBytes(kEdata / "examples" / "DuckDuckGo.rule"));
    EXPECT_EQ(pageRuleRows(rule, page),
              (Rows{{"1", "https://www.alpha.com/page.html"}, {"2", "https://www.beta.com/"}}));
}

TEST(RuleFile, StepsThatCollectPiecesFromSeveralPlaces) {
    PageRule rule = pageRule(
        "kind=page\nname=C\n"
        "step=collect-text\ntext=<start>\n"
        "step=collect\nstart=(\nend=)\ncount=all\n"
        "step=drop-after\nmarker=|\nkeep-marker=yes\n"
        "step=collect\nstart=[\nend=]\n"
        "step=use-collection\n" +
        kMarkers);
    EXPECT_EQ(prepareWithRule(rule, "x(a)y(b)z[c]|[d](e)"), "<start>abec");
    PageRule between = pageRule("kind=page\nname=B\nstep=keep-between\nstart=(\nend=)\ncount=2\n" + kMarkers);
    EXPECT_EQ(prepareWithRule(between, "(a)(b)(c)"), "ab");
    EXPECT_EQ(prepareWithRule(between, "no pieces"), "");
    PageRule after = pageRule("kind=page\nname=A\nstep=keep-after\nmarker=:\n" + kMarkers);
    EXPECT_EQ(prepareWithRule(after, "a:b:c"), "b:c");
    EXPECT_EQ(prepareWithRule(after, "abc"), "");
    PageRule keep = pageRule(
        "kind=page\nname=K\nstep=delete-between\nstart=<\nend=>\nkeep-markers=yes\nrepeat=yes\n" + kMarkers);
    EXPECT_EQ(prepareWithRule(keep, "a<b>c<d>"), "a<>c<d>");
}

TEST(RuleFile, ARuleThatWouldGrowThePageWithoutEndGivesNoResults) {
    // Each step makes every "a" a thousand of them: the second would take the page past its limit.
    std::string grow = "kind=page\nname=G\n";
    for (int i = 0; i < 3; ++i)
        grow += "step=replace\nfind=a\nwith=" + std::string(1000, 'a') + "\n";
    PageRule rule = pageRule(grow + "step=number-each\nfind=a\n" + kMarkers);
    EXPECT_EQ(prepareWithRule(rule, std::string(300, 'a')), "");
    rule.steps.resize(1);
    EXPECT_EQ(prepareWithRule(rule, "xay"), "x" + std::string(1000, 'a') + "y");
}

TEST(RuleFile, JsonPointers) {
    for (const char* good : {"", "/", "/items", "/web/results", "/a~0b/~1c/0"})
        EXPECT_TRUE(isJsonPointer(good)) << good;
    for (const char* bad : {"items", "/a~", "/a~2", "~0"})
        EXPECT_FALSE(isJsonPointer(bad)) << bad;
}

}  // namespace
