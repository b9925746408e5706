#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "position/core/analysis.h"
#include "position/core/textmarkers.h"

// What one engine said about one term and one address. The report writes the same "no matches"
// for the last four; the history keeps them apart, so a lost ranking is not mistaken for an
// engine that was unreachable or whose page no longer reads.
enum class CheckOutcome {
    Ranked,      // the address is among the considered results
    NotRanked,   // the rule found results, none of them the address
    NoResults,   // the page read as the engine's, listing nothing
    Unreadable,  // the page holds none of the rule's markers: blocked, a captcha, a changed layout
    Failed,      // the fetch failed, or the engine's definition could not be read
};

inline constexpr CheckOutcome kAllOutcomes[] = {CheckOutcome::Ranked, CheckOutcome::NotRanked,
                                                CheckOutcome::NoResults, CheckOutcome::Unreadable,
                                                CheckOutcome::Failed};

// "ranked", "not-ranked", "no-results", "unreadable", "failed".
std::string_view outcomeName(CheckOutcome outcome);
std::optional<CheckOutcome> outcomeFromName(std::string_view name);

// One engine × term × address of a run.
struct CheckRecord {
    std::string engine = {};
    std::string term = {};
    std::string address = {};
    CheckOutcome outcome = CheckOutcome::NotRanked;
    int position = 0;  // 1-based place of the first match among the results; 0 for none
    int matches = 0;
    std::vector<std::string> matched = {};  // the matching result addresses, in page order
    int resultRows = 0;                     // rows the rule cut from the page
    int errorCode = 0;                      // the component's code of a failed fetch
    std::string error = {};                 // why a check failed or was unreadable

    bool operator==(const CheckRecord&) const = default;
};

// One completed check of one address (a batch records one per address).
struct RunRecord {
    long long time = 0;  // seconds since 1970, UTC
    std::string address;
    std::string compareAddress;
    bool precise = true;
    bool topTen = false;
    std::vector<CheckRecord> checks;
};

// Where a run's records go. Returns a message for the user when the run could not be recorded;
// the run itself goes on either way.
class RunRecorder {
public:
    virtual ~RunRecorder() = default;
    virtual std::optional<std::string> record(const RunRecord& run) = 0;
};

// How a fetched page reads for one address: the same rows and limits the report's block uses.
// A null reader (no current rule for the engine) reads as unreadable.
CheckRecord readCheck(const ResultReader* reader, std::string_view pageText, std::string_view address,
                      const AnalysisOptions& options);

// A failed fetch leaves whatever arrived; a rank found on a page that did arrive stands, anything
// less is a failure of the engine, not a result.
void applyFetchFailure(CheckRecord& check, int errorCode, const std::string& error);

// How many checks ended in each outcome, in the order of kAllOutcomes.
struct OutcomeCounts {
    int counts[5] = {};
    void add(CheckOutcome outcome) { ++counts[static_cast<int>(outcome)]; }
    int of(CheckOutcome outcome) const { return counts[static_cast<int>(outcome)]; }
};
// "Outcomes: 2 ranked, 1 not-ranked, 0 no-results, 0 unreadable, 1 failed"
std::string outcomeCountsLine(const OutcomeCounts& counts);

// The activity line for a check whose engine gave no usable answer; empty for the others.
std::string outcomeActivityLine(const CheckRecord& check);
