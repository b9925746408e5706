// How a page rule's steps turn a result page into the text its markers cut.

#include "position/core/rulefile.h"

#include <string>

#include "position/core/rewrite.h"

namespace {

// The pieces between start and end, each searched from the end marker of the one before.
std::string piecesBetween(std::string_view text, std::string_view start, std::string_view end, long count) {
    std::string out;
    std::string_view rest = text;
    for (long n = 0; count == 0 || n < count; ++n) {
        ExtractedPiece piece = ExtractBetween(rest, start, end);
        if (piece.piece.empty())
            break;
        out += piece.piece;
        rest = rest.substr(static_cast<size_t>(piece.position - 1));
    }
    return out;
}

// Whether writing `extra` more bytes at each occurrence of find would take the text past the
// most a preparation may hold: a rule of the user's that replaces one character by a long text,
// step after step, must end in no results, never in all memory taken at once.
bool wouldOutgrow(std::string_view text, std::string_view find, size_t extra) {
    if (find.empty() || extra == 0)
        return false;
    size_t count = 0;
    for (size_t at = findText(text, find); at != kNotFound; at = findText(text, find, at + find.size()))
        ++count;
    return count > 0 && (kMaxRewrittenText - std::min(kMaxRewrittenText, text.size())) / count < extra;
}

constexpr size_t kNumberDigits = 12;

// Returns false when the step would outgrow the text limit; the text is then left to the caller.
bool applyStep(const RuleStep& step, std::string& text, std::string& collection) {
    switch (step.kind) {
        case RuleStepKind::DropBefore: {
            size_t at = findText(text, step.marker);
            if (at == kNotFound || at == 0)
                return true;
            size_t from = step.keep > 0 ? at - std::min(at, static_cast<size_t>(step.keep))
                                        : (step.keepMarker ? at : at + step.marker.size());
            text.erase(0, from);
            return true;
        }
        case RuleStepKind::DropAfter:
            text = DeleteBetween(text, step.marker, "", !step.keepMarker);
            return true;
        case RuleStepKind::KeepAfter: {
            size_t at = findText(text, step.marker);
            text = at == kNotFound ? std::string() : text.substr(at + step.marker.size());
            return true;
        }
        case RuleStepKind::KeepBetween:
            text = piecesBetween(text, step.start, step.end, step.count);
            return true;
        case RuleStepKind::Collect:
            collection += piecesBetween(text, step.start, step.end, step.count);
            return true;
        case RuleStepKind::CollectText:
            collection += step.marker;
            return true;
        case RuleStepKind::UseCollection:
            text = std::move(collection);
            collection.clear();
            return true;
        case RuleStepKind::Replace:
            if (step.with.size() > step.marker.size() &&
                wouldOutgrow(text, step.marker, step.with.size() - step.marker.size()))
                return false;
            text = ReplaceAll(text, step.marker, step.with);
            return true;
        case RuleStepKind::Number:
            if (wouldOutgrow(text, step.start + step.end, kNumberDigits + step.with.size()))
                return false;
            text = numberPairs(text, step.start, step.end, static_cast<int>(step.count), step.with);
            return true;
        case RuleStepKind::NumberEach:
            if (wouldOutgrow(text, step.marker, kNumberDigits + step.start.size() + step.end.size()))
                return false;
            text = numberOccurrences(text, step.marker, static_cast<size_t>(step.keep),
                                     static_cast<size_t>(step.drop), step.start, step.end,
                                     static_cast<int>(step.count));
            return true;
        case RuleStepKind::DeleteBetween:
            if (step.repeat && !step.keepMarker) {
                text = deleteBetweenRepeatedly(text, step.start, step.end);
                return true;
            }
            // With the markers kept, a second pass finds them side by side and changes nothing.
            text = DeleteBetween(text, step.start, step.end, !step.keepMarker);
            return true;
        case RuleStepKind::CollapseRelocations:
            text = collapseRelocations(text, step.marker, step.end, step.with);
            return true;
        case RuleStepKind::RepairRedirects:
            text = repairRedirects(text, step.marker, step.end, step.with);
            return true;
    }
    return true;
}

}  // namespace

std::string prepareWithRule(const PageRule& rule, std::string_view page) {
    std::string text(page);
    std::string collection;
    for (const RuleStep& step : rule.steps) {
        if (!applyStep(step, text, collection))
            return {};
        // A rule that only ever adds (collecting the same text again and again) must not take
        // all memory; its page gives no results, as a runaway replacement does.
        if (text.size() > kMaxRewrittenText || collection.size() > kMaxRewrittenText)
            return {};
    }
    return text;
}

std::vector<ResultRow> pageRuleRows(const PageRule& rule, std::string_view page) {
    std::vector<ResultRow> rows = ExtractRows(prepareWithRule(rule, page), rule.markers());
    if (!rule.cutAddressAt.empty()) {
        for (ResultRow& row : rows) {
            size_t at = row.address.find(rule.cutAddressAt);
            if (at != std::string::npos)
                row.address.resize(at);
        }
    }
    return rows;
}
