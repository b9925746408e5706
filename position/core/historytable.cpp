#include "position/core/historytable.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "position/core/reportexport.h"

namespace {

bool ranked(const HistoryPoint& point) {
    return point.outcome == CheckOutcome::Ranked && point.position > 0;
}

// Whether a check says anything about the ranking; an engine that failed or could not be read
// neither lost nor gained a place.
bool telling(const HistoryPoint& point) {
    return point.outcome != CheckOutcome::Failed && point.outcome != CheckOutcome::Unreadable;
}

std::string changeTextOf(const HistoryPoint& previous, const HistoryPoint& latest,
                         std::optional<int>& change) {
    if (!telling(previous) || !telling(latest))
        return {};
    if (ranked(previous) && ranked(latest)) {
        change = previous.position - latest.position;
        return *change > 0 ? "+" + std::to_string(*change) : std::to_string(*change);
    }
    if (ranked(latest))
        return "new";
    if (ranked(previous))
        return "lost";
    return {};
}

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
long long daysFromCivil(int year, unsigned month, unsigned day) {
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(year - era * 400);
    const unsigned doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

struct Civil {
    int year;
    unsigned month, day, hour, minute, second;
};

Civil civilFromTime(long long time) {
    long long days = time / 86400;
    long long rest = time % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned day = doy - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    const int year = static_cast<int>(yoe + era * 400) + (month <= 2);
    return {year,
            month,
            day,
            static_cast<unsigned>(rest / 3600),
            static_cast<unsigned>(rest % 3600 / 60),
            static_cast<unsigned>(rest % 60)};
}

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

std::string positionText(const HistoryPoint& point) {
    return ranked(point) ? std::to_string(point.position) : std::string("-");
}

std::string tableText(const std::vector<HistoryPoint>& points) {
    std::vector<std::vector<std::string>> rows = {
        {"Time", "Engine", "Term", "Outcome", "Position", "Matches", "Error"}};
    for (const HistoryPoint& p : points) {
        rows.push_back({isoTime(p.time), p.engine, p.term, std::string(outcomeName(p.outcome)),
                        positionText(p), std::to_string(p.matches),
                        p.errorCode ? std::to_string(p.errorCode) : ""});
    }
    std::vector<size_t> widths(rows.front().size(), 0);
    for (const auto& row : rows) {
        for (size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    }
    std::string out;
    for (const auto& row : rows) {
        std::string line;
        for (size_t c = 0; c < row.size(); ++c) {
            line += row[c];
            if (c + 1 < row.size())
                line += std::string(widths[c] - row[c].size() + 2, ' ');
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        out += line + "\n";
    }
    return out;
}

std::string csvText(const std::vector<HistoryPoint>& points) {
    std::string out = "Time,Engine,Term,Outcome,Position,Matches,Result rows,Error code\r\n";
    for (const HistoryPoint& p : points) {
        out += isoTime(p.time) + "," + csvCell(p.engine) + "," + csvCell(p.term) + "," +
               std::string(outcomeName(p.outcome)) + "," + (ranked(p) ? std::to_string(p.position) : "") +
               "," + std::to_string(p.matches) + "," + std::to_string(p.resultRows) + "," +
               (p.errorCode ? std::to_string(p.errorCode) : "") + "\r\n";
    }
    return out;
}

std::string jsonText(const std::vector<HistoryPoint>& points) {
    std::string out = "[";
    for (size_t i = 0; i < points.size(); ++i) {
        const HistoryPoint& p = points[i];
        out += i ? ",\n  {" : "\n  {";
        out += "\"time\": " + jsonString(isoTime(p.time)) + ", \"run\": " + std::to_string(p.run) +
               ", \"engine\": " + jsonString(p.engine) + ", \"term\": " + jsonString(p.term) +
               ", \"outcome\": " + jsonString(outcomeName(p.outcome)) +
               ", \"position\": " + (ranked(p) ? std::to_string(p.position) : "null") +
               ", \"matches\": " + std::to_string(p.matches) +
               ", \"resultRows\": " + std::to_string(p.resultRows) +
               ", \"errorCode\": " + (p.errorCode ? std::to_string(p.errorCode) : "null") + "}";
    }
    return out + (points.empty() ? "]\n" : "\n]\n");
}

}  // namespace

std::vector<HistorySummary> summarizeHistory(const std::vector<HistoryPoint>& points) {
    std::vector<HistorySummary> rows;
    std::vector<const HistoryPoint*> latest;  // per row
    for (const HistoryPoint& point : points) {
        auto it = std::find_if(rows.begin(), rows.end(), [&](const HistorySummary& row) {
            return row.term == point.term && row.engine == point.engine;
        });
        size_t index = static_cast<size_t>(it - rows.begin());
        if (it == rows.end()) {
            HistorySummary row;
            row.term = point.term;
            row.engine = point.engine;
            rows.push_back(std::move(row));
            latest.push_back(nullptr);
        }
        HistorySummary& row = rows[index];
        row.change.reset();
        row.changeText = latest[index] ? changeTextOf(*latest[index], point, row.change) : std::string();
        row.latestOutcome = point.outcome;
        row.latest = ranked(point) ? point.position : 0;
        if (row.latest > 0 && (row.best == 0 || row.latest < row.best))
            row.best = row.latest;
        ++row.checks;
        latest[index] = &point;
    }
    return rows;
}

std::vector<HistoryPoint> pointsOf(const std::vector<HistoryPoint>& points, std::string_view term,
                                   std::string_view engine) {
    std::vector<HistoryPoint> out;
    for (const HistoryPoint& point : points) {
        if (point.term == term && point.engine == engine)
            out.push_back(point);
    }
    return out;
}

std::string isoTime(long long time) {
    const Civil c = civilFromTime(time);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02u:%02u:%02uZ", c.year, c.month, c.day, c.hour,
                  c.minute, c.second);
    return text;
}

std::optional<long long> parseDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    auto number = [&](size_t at, size_t length) -> std::optional<int> {
        int value = 0;
        auto [end, error] = std::from_chars(text.data() + at, text.data() + at + length, value);
        if (error != std::errc() || end != text.data() + at + length)
            return std::nullopt;
        return value;
    };
    std::optional<int> year = number(0, 4), month = number(5, 2), day = number(8, 2);
    if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1)
        return std::nullopt;
    const long long days = daysFromCivil(*year, static_cast<unsigned>(*month), static_cast<unsigned>(*day));
    // A day past the month's end would roll into the next month.
    if (civilFromTime(days * 86400).month != static_cast<unsigned>(*month))
        return std::nullopt;
    return days * 86400;
}

std::optional<HistoryFormat> historyFormatFromName(std::string_view name) {
    if (name == "table")
        return HistoryFormat::Table;
    if (name == "csv")
        return HistoryFormat::Csv;
    if (name == "json")
        return HistoryFormat::Json;
    return std::nullopt;
}

std::string formatHistory(const std::vector<HistoryPoint>& points, HistoryFormat format) {
    switch (format) {
        case HistoryFormat::Csv:
            return csvText(points);
        case HistoryFormat::Json:
            return jsonText(points);
        case HistoryFormat::Table:
            break;
    }
    return tableText(points);
}

std::string summaryCsv(const std::vector<HistorySummary>& rows) {
    std::string out = "Term,Engine,Latest,Change,Best,Outcome\r\n";
    for (const HistorySummary& row : rows) {
        // The change is written as a plain number, which the formula guard would spoil.
        out += csvCell(row.term) + "," + csvCell(row.engine) + "," +
               (row.latest ? std::to_string(row.latest) : "") + "," + row.changeText + "," +
               (row.best ? std::to_string(row.best) : "") + "," +
               std::string(outcomeName(row.latestOutcome)) + "\r\n";
    }
    return out;
}

ChartSeries chartSeries(const std::vector<HistoryPoint>& points) {
    ChartSeries series;
    bool open = false;
    for (const HistoryPoint& point : points) {
        if (ranked(point)) {
            if (!open)
                series.lines.emplace_back();
            series.lines.back().push_back({point.time, point.position});
            open = true;
            continue;
        }
        open = false;
        if (!telling(point))
            series.markers.push_back({point.time, point.outcome});
    }
    return series;
}
