#include "position/core/textmarkers.h"

#include "position/core/rewrite.h"

ExtractedPiece ExtractBetween(std::string_view text, std::string_view start, std::string_view end) {
    size_t restBegin = 0;
    if (!start.empty()) {
        size_t at = findText(text, start);
        if (at == kNotFound)
            return {};
        restBegin = at + start.size();
    }
    if (end.empty())
        return {text.substr(restBegin), static_cast<long>(text.size()) + 1};
    size_t endAt = findText(text, end, restBegin);
    if (endAt == kNotFound || endAt == restBegin)
        return {};
    return {text.substr(restBegin, endAt - restBegin), static_cast<long>(endAt) + 1};
}

std::string DeleteBetween(std::string_view text, std::string_view start, std::string_view end,
                          bool removeMarkers) {
    ExtractedPiece found = ExtractBetween(text, start, end);
    if (found.piece.empty())
        return std::string(text);
    size_t pieceBegin = static_cast<size_t>(found.piece.data() - text.data());
    size_t pieceEnd = pieceBegin + found.piece.size();
    std::string out(text.substr(0, pieceBegin - start.size()));
    if (!removeMarkers)
        out += start;
    if (!end.empty())
        out += text.substr(removeMarkers ? pieceEnd + end.size() : pieceEnd);
    return out;
}

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement) {
    if (find.empty() || find == replacement)
        return std::string(text);
    auto fixed = [replacement](long, std::string& out) { out += replacement; };
    // Searching again from the start would find the replacement's own occurrence forever. And
    // where the two cannot meet, no replacement forms a new occurrence: one pass does it all.
    if (replacement.find(find) != std::string_view::npos || !canMeet(find, replacement))
        return replaceEachOnce(text, find, fixed);
    return rewriteLeftmost(text, find, fixed).value_or(std::string());
}

std::string NumberMarkers(std::string_view text, std::string_view open, std::string_view close,
                          int firstNumber) {
    return numberPairs(text, open, close, firstNumber, "");
}

std::vector<ResultRow> ExtractRows(std::string_view text, const RowMarkers& markers) {
    std::vector<ResultRow> rows;
    std::string_view remaining = text;
    while (true) {
        long notedLength = static_cast<long>(remaining.size());
        ExtractedPiece item = ExtractBetween(remaining, markers.itemStart, markers.itemEnd);
        std::string_view label = ExtractBetween(item.piece, markers.labelStart, markers.labelEnd).piece;
        if (label.empty())
            break;
        std::string address = DeleteBetween(
            ExtractBetween(item.piece, markers.addressStart, markers.addressEnd).piece, "?", "", true);
        if (address.empty())
            break;
        rows.push_back({std::string(label), std::move(address)});
        if (item.position == -1 || item.piece.empty() || notedLength <= item.position)
            break;
        // The item end marker stays at the front of what is left.
        remaining = remaining.substr(static_cast<size_t>(item.position - 1));
    }
    return rows;
}

bool pageHasMarkers(std::string_view preparedPage, const RowMarkers& markers) {
    for (std::string_view marker : {markers.itemStart, markers.itemEnd, markers.labelStart, markers.labelEnd,
                                    markers.addressStart, markers.addressEnd}) {
        if (!marker.empty() && preparedPage.find(marker) != std::string_view::npos)
            return true;
    }
    return false;
}
