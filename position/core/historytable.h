#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "position/core/history.h"

// One recorded check as the history window and the command line read it back.
struct HistoryPoint {
    long long run = 0;   // the run's number in the store, rising with every run
    long long time = 0;  // seconds since 1970, UTC
    std::string engine;
    std::string term;
    CheckOutcome outcome = CheckOutcome::NotRanked;
    int position = 0;  // 0: not ranked
    int matches = 0;
    int resultRows = 0;
    int errorCode = 0;

    bool operator==(const HistoryPoint&) const = default;
};

// Which checks of an address to read; empty fields select all.
struct HistoryFilter {
    std::string term = {};
    std::string engine = {};
    long long since = 0;  // earliest time, seconds since 1970
};

// A term × engine of an address, as the history window's table shows it.
struct HistorySummary {
    std::string term;
    std::string engine;
    CheckOutcome latestOutcome = CheckOutcome::NotRanked;
    int latest = 0;  // position of the latest check, 0 when not ranked
    // Places risen since the check before (negative: fallen); set only when both were ranked.
    std::optional<int> change;
    // "+2", "-3", "0", "new" (ranked now, not before), "lost" (ranked before, not now), or empty
    // when there is no check before or one of the two says nothing about the ranking.
    std::string changeText;
    int best = 0;  // best position ever, 0 when never ranked
    int checks = 0;
};

// One summary per term × engine, in the order each pair was first recorded. Points must be in
// the order of their runs.
std::vector<HistorySummary> summarizeHistory(const std::vector<HistoryPoint>& points);

// The points of one term × engine, in run order.
std::vector<HistoryPoint> pointsOf(const std::vector<HistoryPoint>& points, std::string_view term,
                                   std::string_view engine);

// "2026-12-10T09:38:19Z"
std::string isoTime(long long time);
// "YYYY-MM-DD" as the first second of that day, UTC; nothing for any other text or a date that
// does not exist.
std::optional<long long> parseDate(std::string_view text);

enum class HistoryFormat { Table, Csv, Json };
std::optional<HistoryFormat> historyFormatFromName(std::string_view name);

// The recorded checks as the command line prints them: an aligned table with a header line, CSV
// (header line, CR LF line ends, as the report's export) or a JSON array of objects.
std::string formatHistory(const std::vector<HistoryPoint>& points, HistoryFormat format);

// The window's shown rows as CSV: "Term,Engine,Latest,Change,Best,Outcome" and a line per row.
std::string summaryCsv(const std::vector<HistorySummary>& rows);

// The chart's view of one term × engine: a line per unbroken stretch of ranked checks (a check
// that is not ranked breaks the line), and a marker for each check whose engine failed or could
// not be read.
struct ChartPoint {
    long long time = 0;
    int position = 0;
    bool operator==(const ChartPoint&) const = default;
};
struct ChartMarker {
    long long time = 0;
    CheckOutcome outcome = CheckOutcome::Failed;
    bool operator==(const ChartMarker&) const = default;
};
struct ChartSeries {
    std::vector<std::vector<ChartPoint>> lines;
    std::vector<ChartMarker> markers;
};
ChartSeries chartSeries(const std::vector<HistoryPoint>& points);
