#include "position/core/analysis.h"

#include <gtest/gtest.h>

namespace {

using Cells = std::vector<std::pair<std::string, std::string>>;

Cells cells(const ReportGrid& grid) {
    Cells out;
    for (int row = 0; row < grid.rowCount(); ++row)
        out.emplace_back(grid.table().cell(0, row), grid.table().cell(1, row));
    return out;
}

// An AltaVista page (read without preparation) listing the given addresses as results 1, 2, ...
std::string altaVistaPage(const std::vector<std::string>& addresses) {
    std::string text = "<html><body>\r\n";
    for (size_t i = 0; i < addresses.size(); ++i) {
        text += "<dl><dt><b class=txt2>" + std::to_string(i + 1) + ".</b> <b><a href=\"" + addresses[i] +
                "\">Title</a></b><dd>Text</dl>\r\n";
    }
    return text + "</body></html>\r\n";
}

ReportGrid newReport() {
    ReportGrid grid;
    grid.reset("01/02/2024");
    return grid;
}

struct Options {
    bool topTen = false, precise = true, otherSites = false, compare = false;
};

std::optional<std::string> analyze(ReportGrid& grid, const std::string& text, Options o = {},
                                   std::string_view address = "http://www.mine.com/",
                                   std::string_view compareAddress = "http://www.rival.com/",
                                   std::string_view engine = "AltaVista") {
    return Analyze("cheap flights", address, compareAddress, text, engine, o.topTen, o.precise, o.otherSites,
                   o.compare, grid);
}

struct MatchCase {
    std::string rowAddress, address;
    bool precise, matches;
};

TEST(Matching, PreciseAndDomain) {
    const MatchCase cases[] = {
        {"http://WWW.Mine.com/", "www.mine.com/", true, true},          // case and scheme ignored
        {"https://www.mine.com/", "http://www.mine.com/", true, true},  //
        {"www.mine.com/", "http://www.mine.com/", true, true},          // no scheme: nothing dropped
        {"http://www.mine.com/index.html", "http://www.mine.com/", true, false},  // a file name more
        {"http://www.mine.com", "http://www.mine.com/", true, false},             //
        {"http://www.mine.com/a/b.html", "http://www.mine.com/x/", false, true},  // domain: the host alone
        {"http://www.mine.com.au/", "http://www.mine.com/x/", false, true},       // a longer host name too
        {"http://mine.com/", "http://www.mine.com/", false, false},               //
        {"http://sub.www.mine.com/", "http://www.mine.com/", false, false},       //
        {"ftp://WWW.MINE.COM", "www.mine.com", false, true},                      //
        {"", "", true, false},                              // an empty target never matches
        {"", "", false, false},                             //
        {"http://www.mine.com/", "http://", false, false},  //
        {"http://www.mine.com/", "", false, false},         //
    };
    for (const MatchCase& c : cases) {
        EXPECT_EQ(rowMatches(c.rowAddress, normalizeTarget(c.address, c.precise), c.precise), c.matches)
            << c.rowAddress << " vs " << c.address << (c.precise ? " precise" : " domain");
    }
    EXPECT_EQ(normalizeTarget("http://www.Mine.com/dir/page.html", false), "WWW.MINE.COM");
    EXPECT_EQ(normalizeTarget("http://www.Mine.com/dir/page.html", true), "WWW.MINE.COM/DIR/PAGE.HTML");
}

TEST(Analyze, WritesHeadingMatchesAndSummaryAfterOneEmptyRow) {
    ReportGrid grid = newReport();
    std::string text = altaVistaPage({"http://www.other.com/", "http://www.mine.com/?ref=1",
                                      "http://WWW.MINE.COM/", "http://www.mine.com/?"});
    EXPECT_EQ(analyze(grid, text), std::nullopt);
    EXPECT_EQ(
        cells(grid),
        (Cells{{"Ranqor TM Report", "01/02/2024"},
               {"", ""},
               {"Placement of precise matches for cheap flights", "http://www.mine.com/"},
               {"AltaVista result 2", "http://www.mine.com/"},
               {"AltaVista result 3", "http://WWW.MINE.COM/"},
               {"Positioning Results:", "2 precise URL matches were found for cheap flights on AltaVista."},
               {"", ""}}));
}

TEST(Analyze, SummariesForNoneOneAndMore) {
    EXPECT_EQ(summaryText("cheap flights", "Google", 0, true),
              "No precise URL matches were found for cheap flights on Google.");
    EXPECT_EQ(summaryText("cheap flights", "Google", 1, true),
              "1 precise URL match was found for cheap flights on Google.");
    EXPECT_EQ(summaryText("cheap flights", "Yahoo!", 12, false),
              "12 domain matches were found for cheap flights on Yahoo!.");
    EXPECT_EQ(summaryText("", "MSN", 0, false), "No domain matches were found for  on MSN.");
}

TEST(Analyze, HeadingsAndTheirPlaceholders) {
    EXPECT_EQ(headingText("cheap flights", "Google", {.precise = true}),
              "Placement of precise matches for cheap flights");
    EXPECT_EQ(headingText("cheap flights", "Google", {.precise = false}),
              "Placement of domain matches for cheap flights");
    EXPECT_EQ(headingText("cheap flights", "Yahoo!", {.otherSites = true}), "Results for Yahoo!");
    // Each placeholder is replaced wherever it stands, also in what an earlier one put in.
    EXPECT_EQ(headingText("B#B~B", "Google", {.precise = false}), "Placement of domain matches for domain");
    EXPECT_EQ(headingText("Y#Y~Y", "Google", {}), "Placement of precise matches for Y#Y~Y");
    EXPECT_EQ(summaryText("D#D~D", "AOL", 1, true), "1 precise URL match was found for AOL on AOL.");
}

TEST(Analyze, ConsidersThirtyResultsOrTenWithTopTen) {
    std::vector<std::string> addresses(45, "http://www.mine.com/page.html");
    std::string text = altaVistaPage(addresses);
    for (auto [topTen, expected] : {std::pair{false, 30}, std::pair{true, 10}}) {
        ReportGrid grid = newReport();
        analyze(grid, text, {.topTen = topTen, .precise = false});
        Cells got = cells(grid);
        ASSERT_EQ(got.size(), size_t(3 + expected + 2));
        EXPECT_EQ(got[3].first, "AltaVista result 1");
        EXPECT_EQ(got[2 + expected].first, "AltaVista result " + std::to_string(expected));
        EXPECT_EQ(got[3 + expected].second,
                  std::to_string(expected) + " domain matches were found for cheap flights on AltaVista.");
    }
}

TEST(Analyze, OtherSitesWritesEveryResultAndMarksMatches) {
    std::vector<std::string> addresses;
    for (int i = 1; i <= 12; ++i)
        addresses.push_back("http://www.site" + std::to_string(i) + ".com/");
    addresses[3] = "http://www.mine.com/";
    addresses[10] = "http://www.mine.com/";
    ReportGrid grid = newReport();
    analyze(grid, altaVistaPage(addresses), {.otherSites = true});
    Cells got = cells(grid);
    ASSERT_EQ(got.size(), size_t(3 + 12 + 2));
    EXPECT_EQ(got[2], (std::pair<std::string, std::string>{"Results for AltaVista", "http://www.mine.com/"}));
    EXPECT_EQ(got[3], (std::pair<std::string, std::string>{"AltaVista result 1", "http://www.site1.com/"}));
    EXPECT_EQ(got[6],
              (std::pair<std::string, std::string>{"AltaVista result 4 *****", "http://www.mine.com/"}));
    EXPECT_EQ(got[13],
              (std::pair<std::string, std::string>{"AltaVista result 11 *****", "http://www.mine.com/"}));
    EXPECT_EQ(got[14],
              (std::pair<std::string, std::string>{"AltaVista result 12", "http://www.site12.com/"}));
    EXPECT_EQ(got[15].second, "2 precise URL matches were found for cheap flights on AltaVista.");
}

TEST(Analyze, CompareBlock) {
    ReportGrid grid = newReport();
    std::string text =
        altaVistaPage({"http://www.rival.com/", "http://www.mine.com/", "http://www.rival.com/x"});
    analyze(grid, text, {.precise = false, .compare = true});
    EXPECT_EQ(
        cells(grid),
        (Cells{{"Ranqor TM Report", "01/02/2024"},
               {"", ""},
               {"Placement of domain matches for cheap flights", "http://www.mine.com/"},
               {"AltaVista result 2", "http://www.mine.com/"},
               {"", ""},
               {"Placement of domain matches for cheap flights", "http://www.rival.com/"},
               {"AltaVista result 1", "http://www.rival.com/"},
               {"AltaVista result 3", "http://www.rival.com/x"},
               {"Comparison Results:", "1 domain match was found for http://www.mine.com/ on AltaVista."},
               {"", "2 domain matches were found for http://www.rival.com/ on AltaVista."},
               {"", ""}}));
}

TEST(Analyze, CompareWithAnEmptyAddressFindsNothing) {
    ReportGrid grid = newReport();
    analyze(grid, altaVistaPage({"http://www.mine.com/"}), {.compare = true}, "http://www.mine.com/", "");
    Cells got = cells(grid);
    ASSERT_EQ(got.size(), 9u);
    EXPECT_EQ(got[5],
              (std::pair<std::string, std::string>{"Placement of precise matches for cheap flights", ""}));
    EXPECT_EQ(got[6].first, "Comparison Results:");
    EXPECT_EQ(got[7], (std::pair<std::string, std::string>{
                          "", "No precise URL matches were found for  on AltaVista."}));
}

TEST(Analyze, BlocksAreSeparatedByOneEmptyRow) {
    ReportGrid grid = newReport();
    analyze(grid, altaVistaPage({"http://www.mine.com/"}));
    analyze(grid, "", {}, "http://www.mine.com/", "", "Google");
    Cells got = cells(grid);
    ASSERT_EQ(got.size(), 9u);
    EXPECT_EQ(got[4].first, "Positioning Results:");
    EXPECT_EQ(got[5], (std::pair<std::string, std::string>{"", ""}));
    EXPECT_EQ(got[6], (std::pair<std::string, std::string>{"Placement of precise matches for cheap flights",
                                                           "http://www.mine.com/"}));
    EXPECT_EQ(got[7],
              (std::pair<std::string, std::string>{
                  "Positioning Results:", "No precise URL matches were found for cheap flights on Google."}));
}

TEST(Analyze, EnginesWithoutARuleGiveAMessageAndWriteNothing) {
    const std::string text = altaVistaPage({"http://www.mine.com/"});
    for (std::string_view engine : {"HotBot", "LookSmart", "WHATYOUSEEK", "Ask"}) {
        ReportGrid grid = newReport();
        EXPECT_EQ(analyze(grid, text, {}, "http://www.mine.com/", "", engine),
                  "RanqorEngDefs:Analyze:The definition for " + std::string(engine) +
                      " is not current. Please download the latest engine update from the Orlek web site.");
        EXPECT_EQ(grid.rowCount(), 2);
    }
    ReportGrid grid = newReport();
    EXPECT_EQ(analyze(grid, text, {}, "http://www.mine.com/", "", ""),
              "No search engine is selected. Please select an engine and try again.");
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(analyze(grid, text, {}, "http://www.mine.com/", "", "aLTAvISTA"), std::nullopt);
    EXPECT_EQ(cells(grid)[3].first, "AltaVista result 1");
}

}  // namespace
