#include "pageprep/core/readinessreport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Lines = std::vector<std::string>;

bool hasLine(const Lines& report, const std::string& line) {
    return std::find(report.begin(), report.end(), line) != report.end();
}

TEST(SplitWords, SeparatesAtCommasAndBlanksAndKeepsQuotedWordsWhole) {
    struct Case {
        std::string text;
        Lines words;
    };
    const Case cases[] = {
        {"web site, promotion", {"web", "site", "promotion"}},
        {"  a  ,  b ", {"a", "b"}},
        {"a,,b", {"a", "", "b"}},  // two commas with nothing between
        {",a", {"", "a"}},
        {"a,", {"a"}},  // a comma at the end adds nothing
        {"a , ,", {"a", ""}},
        {"\"web site\", x", {"web site", "x"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"\"open to the end", {"open to the end"}},
        {"\"ab\"cd", {"ab", "cd"}},
        {"\t\r\n a\tb", {"a", "b"}},
        {"a\x01"
         "b\x7f",
         {"a", "b\x7f"}},
        {std::string("a\0b", 3), {"a"}},  // a NUL ends the text
        {"", {}},
        {"   ", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitWords(c.text), c.words) << "[" << c.text << "]";
}

TEST(TallyKeywords, CountsWordsLetterCaseAsideInTheFormFirstWritten) {
    EXPECT_EQ(tallyKeywords({"Web", "site", "web", "WEB", "", "Site", ""}),
              (std::vector<KeywordCount>{{"Web", 3}, {"site", 2}, {"", 2}}));
    EXPECT_EQ(tallyKeywords({}), std::vector<KeywordCount>{});
}

TEST(ReadinessReport, JudgesTheKeywordAndDescriptionLengths) {
    struct Case {
        bool keywords;  // else the description
        std::size_t length;
        bool effective;
    };
    const Case cases[] = {
        {true, 0, false},  {true, 499, false},  {true, 500, true},  {true, 1000, true}, {true, 1001, false},
        {false, 0, false}, {false, 149, false}, {false, 150, true}, {false, 200, true}, {false, 201, false},
    };
    for (const Case& c : cases) {
        const std::string text(c.length, 'w');
        const Lines report =
            c.keywords ? buildReadinessReport(text, "", "") : buildReadinessReport("", text, "");
        const std::string tag = c.keywords ? "Key words" : "Description";
        EXPECT_EQ(hasLine(report, " REPORT: You are using the " + tag + " tag effectively"), c.effective)
            << tag << " " << c.length;
        EXPECT_EQ(hasLine(report, " REPORT: Warning, You are not using the " + tag + " tag effectively"),
                  !c.effective)
            << tag << " " << c.length;
        EXPECT_TRUE(hasLine(report, " You are using: " + std::to_string(c.length) + " Characters"))
            << tag << " " << c.length;
    }
}

TEST(ReadinessReport, WarnsOfKeywordsRepeatedMoreThanSixTimes) {
    const std::string info = " INFO: The key words passed the repetition check!";

    const Lines six = buildReadinessReport("Web, a, web, WEB b web,web,  web", "", "");
    EXPECT_TRUE(hasLine(six, info));

    const Lines seven = buildReadinessReport("Web, a, web, WEB b web,web,  web web, x,x,x,x,x,x,x,x", "", "");
    EXPECT_FALSE(hasLine(seven, info));
    const std::string web =
        "WARNING! Keyword Web is repeated 7 times throughout keywords. Keywords Tag will be disqualified!";
    const std::string x =
        "WARNING! Keyword x is repeated 8 times throughout keywords. Keywords Tag will be disqualified!";
    const auto at = std::find(seven.begin(), seven.end(), web);
    ASSERT_NE(at, seven.end());
    // Each warning stands between empty lines, in the order the keywords first appear.
    EXPECT_EQ(Lines(at - 1, at + 5), (Lines{"", web, "", "", x, ""}));
}

TEST(ReadinessReport, LooksForTheKeywordsInTheDescription) {
    const std::string pass = " Description Tag Passes: Keywords found in page description.";
    const std::string fail = " WARNING! Keywords not found in page description.";
    struct Case {
        std::string keywords, description;
        const std::string* line;  // none: the check is left out
    };
    const Case cases[] = {
        {"web, site", "A web page", &pass},
        {"Web", "WEB pages", &pass},
        {"web, site", "A page", &fail},
        {"web", "webs", &fail},  // whole words are compared
        {"\"web site\"", "\"web site\" here", &pass},
        {",,", ",,", &pass},  // an empty keyword matches an empty word
        {"web", "", nullptr},
        {"web", "   ", nullptr},
        {"", "A web page", nullptr},
    };
    for (const Case& c : cases) {
        const Lines report = buildReadinessReport(c.keywords, c.description, "");
        EXPECT_EQ(hasLine(report, pass), c.line == &pass) << c.keywords << " / " << c.description;
        EXPECT_EQ(hasLine(report, fail), c.line == &fail) << c.keywords << " / " << c.description;
    }
}

TEST(ReadinessReport, CountsKeywordsInTheFirst5000CharactersOfTheBody) {
    struct Case {
        std::string page;
        std::size_t searched;
        int count;
    };
    const std::string far = std::string(5000, 'x');
    const Case cases[] = {
        {"<html><body>web web</body>web", 8, 2},  // from just after "<body" to "</body>"
        {"<BODY>web", 4, 1},                      // no end tag: to the end
        {"<body></body>", 1, 0},
        {"<body>web " + far + " web</body>", 5000, 1},
        {"<body" + std::string(5000, ' ') + "</body>", 5000, 0},
        {"<body" + std::string(5001, ' ') + "</body>", 5000, 0},
        {"<frameset>web and web", 21, 2},  // no body: the whole page
        {"web " + far, 5000, 1},
    };
    for (const Case& c : cases) {
        const Lines report = buildReadinessReport("web", "", c.page);
        EXPECT_TRUE(hasLine(
            report, "- Checking the first " + std::to_string(c.searched) + " characters of the body text."))
            << c.page.substr(0, 40);
        EXPECT_TRUE(hasLine(report, "web - " + std::to_string(c.count) + " ")) << c.page.substr(0, 40);
    }
}

TEST(CountKeywordInBody, CountsWholeWordsOnly) {
    struct Case {
        std::string body, keyword;
        int count;
    };
    const Case cases[] = {
        {"web webs cobweb web_site web2 WEB \xE9web", "web", 4},  // "_" and bytes past 127 are no letters
        {"<a href=web>web</a>", "web", 2},                        // tags and attribute values stand apart
        {"b>c a=b", "b>c", 0},
        {"b>c a=b", "a=b", 0},
        {"a a a", "a a", 2},      // each search goes on one character after the previous match
        {"a web b", " web ", 0},  // searched as held, blanks and all
        {". web .", " web ", 1},
        {"Hello", "", 0},
    };
    for (const Case& c : cases) {
        const std::string page = "<body>" + c.body + "</body>";
        EXPECT_EQ(countKeywordInBody(page, bodySearchRange(page), c.keyword), c.count) << c.body;
    }
}

TEST(CountKeywordInBody, LooksJustOutsideTheRangeForTheWholeWordTest) {
    // The range starts at the ">" of "<body>" and holds 5000 characters.
    const std::string fill(4996, ' ');
    struct Case {
        std::string page;
        int count;
    };
    const Case cases[] = {
        {"<body>" + fill + "web more", 1},
        {"<body>" + fill + "webs more", 0},  // a letter just past the range
        {"<body>" + fill + " web more", 0},  // a match running past the range
        {"<bodyweb>web", 1},                 // a letter just before the range
    };
    for (const Case& c : cases)
        EXPECT_EQ(countKeywordInBody(c.page, bodySearchRange(c.page), "web"), c.count)
            << c.page.substr(c.page.size() - 12);
}

TEST(ReadinessReport, ListsEveryKeywordTrimmedButEmptyOnes) {
    const Lines report = buildReadinessReport("a,, \" b \",a", "", "<body>. b .</body>");
    const auto at = std::find(report.begin(), report.end(), "a - 0 ");
    ASSERT_NE(at, report.end());
    EXPECT_EQ(*(at + 1), "b - 1 ");
    EXPECT_EQ(*(at + 2), "");
}

TEST(ReadinessReport, WritesEverySectionLineForLine) {
    const std::string rule = " " + std::string(84, '-');
    const Lines report = buildReadinessReport("web", "", "<body>web</body>");
    ASSERT_GE(report.size(), 2u);
    EXPECT_EQ(report[0].rfind("Verimane Meta Tag Analysis", 0), 0u);
    const Lines expected = {
        "",
        "1) Key Word Repetition (Spamming) and Usage Check",
        rule,
        " Checks for key word repetition in keywords meta tag. This check",
        " is important because it prevents you from disqualifying your page",
        " from search engines because of suspected spamming. Most Engines will",
        " look at repeating of words past 6 as a tactic of increasing relevancy",
        " on a topic that you would not score high on normally. Basically",
        " cheating! If you fail this check your page may be rejected from the",
        " engine or the tag may be disqualified. In Short, it will adversely ",
        " affect your search engine findability! ",
        "",
        "",
        " REPORT: Warning, You are not using the Key words tag effectively",
        " You are using: 3 Characters",
        " You can use up to 1000 Characters",
        "",
        "",
        "",
        "",
        " INFO: The key words passed the repetition check!",
        "",
        "",
        "",
        "2) Check for the usage of Key words in the description meta tag and description usage",
        rule,
        " Checks for key word usage in the description meta tag. This is a common ",
        " method used to determine if your page is actually about the information in",
        " your key words. This check should pass or you need to change the description",
        " meta tag to include keywords!",
        "",
        "",
        " REPORT: Warning, You are not using the Description tag effectively",
        " You are using: 0 Characters",
        " You can use up to 200 Characters",
        "",
        "",
        "",
        "",
        "3) Check Body Text for Key Word Usage & Counts",
        rule,
        " Checks for key word usage in the document. THIS IS THE MOST IMPORTANT CHECK  ",
        " THAT YOU NEED TO PASS. If the search engine finds no reference in your document ",
        " for your key words you will most likely score low in the search engines for ",
        " your meta tag values! It is recommended that your target keywords are used at",
        " least Five (5) times. Output will be formatted: Key word - Count",
        "",
        "* The next line tells you how deep into the document Verimane will search.",
        "- Checking the first 4 characters of the body text.",
        "",
        "web - 1 ",
        "",
        "",
        "[Information]",
        "",
        "These checks were formulated based on the latest rules put forth by the search engines and good "
        "publishing standards.",
        "These rules can change, please check back with Orlek on a monthly basis to see if there are "
        "updates!",
    };
    EXPECT_EQ(Lines(report.begin() + 2, report.end()), expected);
}

}  // namespace
