#include "position/core/history.h"

#include <algorithm>

#include "position/core/enginerules.h"

namespace {

constexpr std::string_view kOutcomeNames[] = {"ranked", "not-ranked", "no-results", "unreadable", "failed"};

}  // namespace

std::string_view outcomeName(CheckOutcome outcome) {
    return kOutcomeNames[static_cast<int>(outcome)];
}

std::optional<CheckOutcome> outcomeFromName(std::string_view name) {
    for (CheckOutcome outcome : kAllOutcomes) {
        if (outcomeName(outcome) == name)
            return outcome;
    }
    return std::nullopt;
}

CheckRecord readCheck(const ResultReader* reader, std::string_view pageText, std::string_view address,
                      const AnalysisOptions& options) {
    CheckRecord check;
    check.address = std::string(address);
    if (!reader) {
        check.outcome = CheckOutcome::Unreadable;
        check.error = "no current rule for the engine";
        return check;
    }
    std::vector<std::string> notes;
    const std::vector<ResultRow> rows = reader->rows(pageText, notes);
    check.resultRows = static_cast<int>(rows.size());
    const std::string target = normalizeTarget(address, options.precise);
    const size_t considered = std::min(rows.size(), options.topTen ? size_t{10} : size_t{30});
    for (size_t i = 0; i < considered; ++i) {
        if (!rowMatches(rows[i].address, target, options.precise))
            continue;
        if (check.matches++ == 0)
            check.position = static_cast<int>(i) + 1;
        check.matched.push_back(rows[i].address);
    }
    if (check.matches > 0) {
        check.outcome = CheckOutcome::Ranked;
    } else if (!rows.empty()) {
        check.outcome = CheckOutcome::NotRanked;
    } else if (notes.empty() && (!reader->recognizes || reader->recognizes(pageText))) {
        check.outcome = CheckOutcome::NoResults;
    } else {
        check.outcome = CheckOutcome::Unreadable;
        check.error =
            notes.empty()
                ? "the page holds none of the rule's markers: blocked, a captcha or a changed layout"
                : notes.front();
    }
    return check;
}

void applyFetchFailure(CheckRecord& check, int errorCode, const std::string& error) {
    if (check.outcome == CheckOutcome::Ranked)
        return;
    check.outcome = CheckOutcome::Failed;
    check.errorCode = errorCode;
    check.error = error;
}

std::string outcomeCountsLine(const OutcomeCounts& counts) {
    std::string line = "Outcomes:";
    for (CheckOutcome outcome : kAllOutcomes) {
        line += (outcome == CheckOutcome::Ranked ? " " : ", ") + std::to_string(counts.of(outcome)) + " " +
                std::string(outcomeName(outcome));
    }
    return line;
}

std::string outcomeActivityLine(const CheckRecord& check) {
    if (check.outcome != CheckOutcome::Unreadable && check.outcome != CheckOutcome::Failed)
        return {};
    return check.engine + ", " + check.term + ": " + std::string(outcomeName(check.outcome)) + " (" +
           check.error + ")";
}
