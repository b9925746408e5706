#include "position/core/analysis.h"

#include <algorithm>

#include "platform/core/text.h"
#include "position/core/enginerules.h"

namespace {

std::string_view withoutScheme(std::string_view address) {
    size_t scheme = address.find("://");
    return scheme == std::string_view::npos ? address : address.substr(scheme + 3);
}

}  // namespace

std::string notCurrentMessage(std::string_view engineName) {
    return "RanqorEngDefs:Analyze:The definition for " + std::string(engineName) +
           " is not current. Please download the latest engine update from the Orlek web site.";
}

std::string normalizeTarget(std::string_view address, bool precise) {
    std::string_view rest = withoutScheme(address);
    if (!precise)
        rest = rest.substr(0, rest.find('/'));
    return upperAscii(rest);
}

bool rowMatches(std::string_view rowAddress, std::string_view target, bool precise) {
    if (target.empty())
        return false;
    std::string upper = upperAscii(rowAddress);
    std::string_view compared = withoutScheme(upper);
    return precise ? compared == target : compared.starts_with(target);
}

int scanRows(const std::vector<ResultRow>& rows, std::string_view displayName, std::string_view address,
             const AnalysisOptions& options, ReportGrid& grid) {
    const std::string target = normalizeTarget(address, options.precise);
    const size_t considered = std::min(rows.size(), options.topTen ? size_t{10} : size_t{30});
    int matches = 0;
    for (size_t i = 0; i < considered; ++i) {
        const ResultRow& row = rows[i];
        bool match = rowMatches(row.address, target, options.precise);
        if (match)
            ++matches;
        if (!match && !options.otherSites)
            continue;
        std::string position = std::string(displayName) + " result " + row.label;
        if (match && options.otherSites)
            position += " *****";
        grid.appendRow(std::move(position), row.address);
    }
    return matches;
}

std::string headingText(std::string_view term, std::string_view displayName, const AnalysisOptions& options) {
    std::string text = options.otherSites ? "Results for A#A~A" : "Placement of B#B~B matches for Y#Y~Y";
    text = ReplaceAll(text, "Y#Y~Y", term);
    text = ReplaceAll(text, "B#B~B", options.precise ? "precise" : "domain");
    return ReplaceAll(text, "A#A~A", displayName);
}

std::string summaryText(std::string_view subject, std::string_view displayName, int count, bool precise) {
    std::string text;
    if (count == 0) {
        text = "No A#A~A matches were found for B#B~B on D#D~D.";
    } else if (count == 1) {
        text = "1 A#A~A match was found for B#B~B on D#D~D.";
    } else {
        text = std::to_string(count) + " A#A~A matches were found for B#B~B on D#D~D.";
    }
    text = ReplaceAll(text, "B#B~B", subject);
    text = ReplaceAll(text, "D#D~D", displayName);
    return ReplaceAll(text, "A#A~A", precise ? "precise URL" : "domain");
}

void writeEngineBlock(std::string_view term, std::string_view address, std::string_view compareAddress,
                      std::string_view displayName, const std::vector<ResultRow>& rows,
                      const AnalysisOptions& options, ReportGrid& grid) {
    if (grid.rowCount() > 1)
        grid.appendEmptyRow();
    const std::string heading = headingText(term, displayName, options);
    grid.appendRow(heading, std::string(address));
    int found = scanRows(rows, displayName, address, options, grid);
    if (!options.compare) {
        grid.appendRow("Positioning Results:", summaryText(term, displayName, found, options.precise));
        return;
    }
    grid.appendEmptyRow();
    grid.appendRow(heading, std::string(compareAddress));
    int compared = scanRows(rows, displayName, compareAddress, options, grid);
    grid.appendRow("Comparison Results:", summaryText(address, displayName, found, options.precise));
    grid.appendRow("", summaryText(compareAddress, displayName, compared, options.precise));
}

std::optional<ResultReader> builtInReader(std::string_view engineName) {
    const EngineRule* rule = findEngineRule(engineName);
    if (!rule)
        return std::nullopt;
    return ResultReader{
        std::string(rule->displayName),
        [rule](std::string_view page, std::vector<std::string>&) { return resultRows(*rule, page); }};
}

std::optional<std::string> analyzeWith(const ResultReader* reader, std::string_view term,
                                       std::string_view address, std::string_view compareAddress,
                                       std::string_view pageText, std::string_view engineName,
                                       const AnalysisOptions& options, ReportGrid& grid,
                                       std::vector<std::string>& notes) {
    if (!reader) {
        if (engineName.empty())
            return std::string(kNoEngineSelectedMessage);
        return notCurrentMessage(engineName);
    }
    writeEngineBlock(term, address, compareAddress, reader->displayName, reader->rows(pageText, notes),
                     options, grid);
    return std::nullopt;
}

std::optional<std::string> Analyze(std::string_view term, std::string_view address,
                                   std::string_view compareAddress, std::string_view pageText,
                                   std::string_view engineName, bool topTen, bool precise, bool otherSites,
                                   bool compare, ReportGrid& grid) {
    std::optional<ResultReader> reader = builtInReader(engineName);
    std::vector<std::string> notes;
    return analyzeWith(reader ? &*reader : nullptr, term, address, compareAddress, pageText, engineName,
                       {topTen, precise, otherSites, compare}, grid, notes);
}
