#include "position/core/history.h"

#include <gtest/gtest.h>

#include "position/core/enginerules.h"
#include "position/core/historytable.h"

namespace {

const std::string kSite = "http://www.example.com/";

std::string googlePage(const std::vector<std::string>& urls) {
    std::string page = "<html>Results 1 - 10. Search took <b>0.07</b> seconds.\n";
    for (const std::string& url : urls)
        page += "<p><A HREF=" + url + ">A result</A><br>snippet\n";
    return page + "<p><center>Result Page: 1</center></html>\n";
}

HistoryPoint point(long long run, const std::string& term, CheckOutcome outcome, int position = 0) {
    HistoryPoint p;
    p.run = run;
    p.time = 1'700'000'000 + run * 86400;
    p.engine = "Google";
    p.term = term;
    p.outcome = outcome;
    p.position = position;
    p.matches = position > 0 ? 1 : 0;
    return p;
}

}  // namespace

TEST(CheckOutcomes, EachKindOfPageReadsAsItsOutcome) {
    const std::optional<ResultReader> google = builtInReader("Google");
    struct Case {
        const char* what;
        std::string page;
        CheckOutcome outcome;
        int position;
        int rows;
    };
    const Case cases[] = {
        {"the address second", googlePage({"http://a.com/", kSite, "http://b.com/"}), CheckOutcome::Ranked, 2,
         3},
        {"results without it", googlePage({"http://a.com/", "http://b.com/"}), CheckOutcome::NotRanked, 0, 2},
        {"the engine's frame listing nothing", googlePage({}), CheckOutcome::NoResults, 0, 0},
        {"a page of another layout", "<html><body>Please prove you are human</body></html>",
         CheckOutcome::Unreadable, 0, 0},
        {"an empty page", "", CheckOutcome::Unreadable, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CheckRecord check = readCheck(&*google, c.page, kSite, {});
        EXPECT_EQ(check.outcome, c.outcome);
        EXPECT_EQ(check.position, c.position);
        EXPECT_EQ(check.resultRows, c.rows);
        EXPECT_EQ(check.address, kSite);
    }
}

TEST(CheckOutcomes, CountsEveryMatchWithinTheConsideredResults) {
    std::vector<std::string> urls;
    for (int i = 1; i <= 12; ++i)
        urls.push_back(i == 4 || i == 11 ? kSite : "http://r" + std::to_string(i) + ".com/");
    const std::optional<ResultReader> google = builtInReader("Google");

    CheckRecord all = readCheck(&*google, googlePage(urls), kSite, {});
    EXPECT_EQ(all.position, 4);
    EXPECT_EQ(all.matches, 2);
    EXPECT_EQ(all.matched, (std::vector<std::string>{kSite, kSite}));

    AnalysisOptions topTen;
    topTen.topTen = true;
    CheckRecord ten = readCheck(&*google, googlePage(urls), kSite, topTen);
    EXPECT_EQ(ten.matches, 1);
    EXPECT_EQ(ten.resultRows, 12);

    AnalysisOptions domain;
    domain.precise = false;
    EXPECT_EQ(
        readCheck(&*google, googlePage({"http://www.example.com/deep/page.html"}), kSite, domain).position,
        1);
}

TEST(CheckOutcomes, AnEngineWithoutARuleIsUnreadable) {
    CheckRecord check = readCheck(nullptr, googlePage({kSite}), kSite, {});
    EXPECT_EQ(check.outcome, CheckOutcome::Unreadable);
    EXPECT_FALSE(check.error.empty());
}

TEST(CheckOutcomes, AFailedFetchOverridesAllButAFoundRank) {
    for (CheckOutcome before : kAllOutcomes) {
        CheckRecord check;
        check.outcome = before;
        applyFetchFailure(check, 12029, "12029: cannot connect");
        if (before == CheckOutcome::Ranked) {
            EXPECT_EQ(check.outcome, CheckOutcome::Ranked);
            EXPECT_EQ(check.errorCode, 0);
        } else {
            EXPECT_EQ(check.outcome, CheckOutcome::Failed);
            EXPECT_EQ(check.errorCode, 12029);
        }
    }
}

TEST(CheckOutcomes, NamesRoundTripAndCountsReadAsALine) {
    OutcomeCounts counts;
    for (CheckOutcome outcome : kAllOutcomes) {
        EXPECT_EQ(outcomeFromName(outcomeName(outcome)), outcome);
        counts.add(outcome);
    }
    counts.add(CheckOutcome::Failed);
    EXPECT_FALSE(outcomeFromName("lost"));
    EXPECT_EQ(outcomeCountsLine(counts),
              "Outcomes: 1 ranked, 1 not-ranked, 1 no-results, 1 unreadable, 2 failed");
}

TEST(CheckOutcomes, OnlyAnEngineWithoutUsableAnswerGetsAnActivityLine) {
    CheckRecord check{.engine = "Google",
                      .term = "seo",
                      .outcome = CheckOutcome::Failed,
                      .errorCode = 12029,
                      .error = "12029: cannot connect"};
    EXPECT_EQ(outcomeActivityLine(check), "Google, seo: failed (12029: cannot connect)");
    check.outcome = CheckOutcome::Unreadable;
    check.error = "no current rule for the engine";
    EXPECT_EQ(outcomeActivityLine(check), "Google, seo: unreadable (no current rule for the engine)");
    check.outcome = CheckOutcome::NotRanked;
    EXPECT_EQ(outcomeActivityLine(check), "");
}

TEST(HistorySummaries, ThreeRunsWithARiseAndADrop) {
    const std::vector<HistoryPoint> points = {
        point(1, "seo", CheckOutcome::Ranked, 5), point(1, "ranking", CheckOutcome::Ranked, 2),
        point(2, "seo", CheckOutcome::Ranked, 3), point(2, "ranking", CheckOutcome::Ranked, 4),
        point(3, "seo", CheckOutcome::Ranked, 1), point(3, "ranking", CheckOutcome::Ranked, 7),
    };
    std::vector<HistorySummary> rows = summarizeHistory(points);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].term, "seo");
    EXPECT_EQ(rows[0].latest, 1);
    EXPECT_EQ(rows[0].change, 2);
    EXPECT_EQ(rows[0].changeText, "+2");
    EXPECT_EQ(rows[0].best, 1);
    EXPECT_EQ(rows[0].checks, 3);
    EXPECT_EQ(rows[1].term, "ranking");
    EXPECT_EQ(rows[1].latest, 7);
    EXPECT_EQ(rows[1].changeText, "-3");
    EXPECT_EQ(rows[1].best, 2);
}

TEST(HistorySummaries, ChangesBetweenRankedAndNotRankedAndAcrossFailures) {
    struct Case {
        const char* what;
        CheckOutcome before;
        int beforePosition;
        CheckOutcome now;
        int nowPosition;
        const char* change;
    };
    const Case cases[] = {
        {"newly ranked", CheckOutcome::NotRanked, 0, CheckOutcome::Ranked, 6, "new"},
        {"ranking lost", CheckOutcome::Ranked, 3, CheckOutcome::NotRanked, 0, "lost"},
        {"lost to an empty list", CheckOutcome::Ranked, 3, CheckOutcome::NoResults, 0, "lost"},
        {"engine failed: nothing lost", CheckOutcome::Ranked, 3, CheckOutcome::Failed, 0, ""},
        {"page unreadable: nothing lost", CheckOutcome::Ranked, 3, CheckOutcome::Unreadable, 0, ""},
        {"back after a failure", CheckOutcome::Failed, 0, CheckOutcome::Ranked, 2, ""},
        {"unchanged", CheckOutcome::Ranked, 4, CheckOutcome::Ranked, 4, "0"},
        {"still not ranked", CheckOutcome::NotRanked, 0, CheckOutcome::NotRanked, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<HistorySummary> rows = summarizeHistory(
            {point(1, "seo", c.before, c.beforePosition), point(2, "seo", c.now, c.nowPosition)});
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].changeText, c.change);
        EXPECT_EQ(rows[0].latestOutcome, c.now);
    }
}

TEST(HistoryChart, LinesBreakWhereTheAddressWasNotRankedAndFailuresAreMarked) {
    const std::vector<HistoryPoint> points = {
        point(1, "seo", CheckOutcome::Ranked, 5), point(2, "seo", CheckOutcome::Ranked, 3),
        point(3, "seo", CheckOutcome::NotRanked), point(4, "seo", CheckOutcome::Failed),
        point(5, "seo", CheckOutcome::Ranked, 2), point(6, "seo", CheckOutcome::Unreadable),
        point(7, "seo", CheckOutcome::Ranked, 1),
    };
    ChartSeries series = chartSeries(points);
    ASSERT_EQ(series.lines.size(), 3u);
    EXPECT_EQ(series.lines[0], (std::vector<ChartPoint>{{points[0].time, 5}, {points[1].time, 3}}));
    EXPECT_EQ(series.lines[1], (std::vector<ChartPoint>{{points[4].time, 2}}));
    EXPECT_EQ(series.lines[2], (std::vector<ChartPoint>{{points[6].time, 1}}));
    EXPECT_EQ(series.markers, (std::vector<ChartMarker>{{points[3].time, CheckOutcome::Failed},
                                                        {points[5].time, CheckOutcome::Unreadable}}));
}

TEST(HistoryDates, DaysParseAsUtcMidnightAndOthersAreRefused) {
    EXPECT_EQ(parseDate("1970-01-01"), 0);
    EXPECT_EQ(parseDate("2026-12-10"), 1796860800);
    EXPECT_EQ(parseDate("2024-02-29"), 1709164800);
    for (const char* bad : {"", "2026-13-01", "2025-02-29", "2026-04-31", "2026-1-10", "10.12.2026",
                            "2026-12-1x", "2026-00-10"}) {
        EXPECT_FALSE(parseDate(bad)) << bad;
    }
    EXPECT_EQ(isoTime(0), "1970-01-01T00:00:00Z");
    EXPECT_EQ(isoTime(1796860800 + 3600 * 9 + 62), "2026-12-10T09:01:02Z");
}

TEST(HistoryFormats, TableCsvAndJsonHoldTheSameChecks) {
    HistoryPoint ranked = point(1, "seo, tools", CheckOutcome::Ranked, 3);
    ranked.time = 1796860800;
    ranked.resultRows = 10;
    HistoryPoint failed = point(2, "say \"hi\"", CheckOutcome::Failed);
    failed.time = 1796860800 + 86400;
    failed.errorCode = 12029;
    const std::vector<HistoryPoint> points = {ranked, failed};

    EXPECT_EQ(formatHistory(points, HistoryFormat::Table),
              "Time                  Engine  Term        Outcome  Position  Matches  Error\n"
              "2026-12-10T00:00:00Z  Google  seo, tools  ranked   3         1\n"
              "2026-12-11T00:00:00Z  Google  say \"hi\"    failed   -         0        12029\n");
    EXPECT_EQ(formatHistory(points, HistoryFormat::Csv),
              "Time,Engine,Term,Outcome,Position,Matches,Result rows,Error code\r\n"
              "2026-12-10T00:00:00Z,Google,\"seo, tools\",ranked,3,1,10,\r\n"
              "2026-12-11T00:00:00Z,Google,\"say \"\"hi\"\"\",failed,,0,0,12029\r\n");
    EXPECT_EQ(formatHistory(points, HistoryFormat::Json),
              "[\n"
              "  {\"time\": \"2026-12-10T00:00:00Z\", \"run\": 1, \"engine\": \"Google\", \"term\": \"seo, "
              "tools\", "
              "\"outcome\": \"ranked\", \"position\": 3, \"matches\": 1, \"resultRows\": 10, \"errorCode\": "
              "null},\n"
              "  {\"time\": \"2026-12-11T00:00:00Z\", \"run\": 2, \"engine\": \"Google\", \"term\": \"say "
              "\\\"hi\\\"\", "
              "\"outcome\": \"failed\", \"position\": null, \"matches\": 0, \"resultRows\": 0, "
              "\"errorCode\": 12029}\n"
              "]\n");
    EXPECT_EQ(formatHistory({}, HistoryFormat::Json), "[]\n");
    EXPECT_EQ(historyFormatFromName("csv"), HistoryFormat::Csv);
    EXPECT_FALSE(historyFormatFromName("xml"));
}

TEST(HistoryFormats, TheWindowsRowsAsCsv) {
    std::vector<HistorySummary> rows = summarizeHistory(
        {point(1, "=cmd", CheckOutcome::Ranked, 5), point(2, "=cmd", CheckOutcome::Ranked, 8)});
    EXPECT_EQ(summaryCsv(rows), "Term,Engine,Latest,Change,Best,Outcome\r\n'=cmd,Google,8,-3,5,ranked\r\n");
}
