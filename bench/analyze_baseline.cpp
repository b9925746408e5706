#include "bench/analyze_baseline.h"

namespace baseline {

namespace {

constexpr size_t npos = std::string::npos;

std::string num(long long n) {
    return std::to_string(n);
}

// Copy(text, position, rest): a position before the first character counts as the first.
std::string from(const std::string& text, long position) {
    size_t at = position < 1 ? 0 : static_cast<size_t>(position - 1);
    return at >= text.size() ? std::string() : text.substr(at);
}

std::string afterFirst(const std::string& text, const std::string& marker) {
    size_t at = text.find(marker);
    return at == npos ? std::string() : text.substr(at + marker.size());
}

std::string twoBlocks(const std::string& text, const std::string& start, const std::string& end) {
    Piece first = ExtractBetween(text, start, end);
    return first.piece + ExtractBetween(from(text, first.position), start, end).piece;
}

std::string fromTen(const std::string& text, const std::string& firstOfTen) {
    size_t at = text.find(firstOfTen);
    if (at == npos)
        return text;
    return text.substr(at == 0 ? 0 : at - 1);
}

std::string prepare(const EngineRule& rule, std::string text) {
    const std::string_view name = rule.upperName;
    if (name == "AOL") {
        text = DeleteBetween(
            text, "",
            "The following results are from the World Wide Web and may contain objectionable material", true);
        text = ReplaceAll(text, "onmouseover=\"self.status='", "[[]]");
        return NumberMarkers(text, "[[", "]]", 1);
    }
    if (name == "DMOZ") {
        text = ReplaceAll(text, "<li><a href=\"", "[[]]<a href=\"");
        return numberPairsInTurn(text, "[[", "]]", 1, ".");
    }
    if (name == "EXCITE") {
        text = DeleteBetween(text, "", "<li>", false);
        text = NumberMarkers(ReplaceAll(text, "<li>", "[[]]"), "[[", "]]", 1);
        return collapseRelocations(text, std::string(kExciteRelocationPrefix), ";", "LiNkStArT:");
    }
    if (name == "DIRECTHIT") {
        const std::string font = "<FONT SIZE=\"-1\">";
        const std::string table = "<TABLE BORDER=\"0\"";
        std::string piece1 = font + ExtractBetween(text, font, table).piece;
        std::string second = fromTen(text, "<FONT SIZE=\"-1\">11. <A");
        std::string piece2 = ExtractBetween(second, "", table).piece;
        std::string third = fromTen(second, "<FONT SIZE=\"-1\">21. <A");
        std::string piece3 = ExtractBetween(third, "", table).piece;
        return piece1 + piece2 + piece3;
    }
    if (name == "GOOGLE") {
        text = ExtractBetween(text, "Search took <b>", "<p><center>").piece;
        return numberOccurrencesInTurn(text, "<p><A HREF=http:", 11, 0, "[[", "]]", 1);
    }
    if (name == "INFOSEEK") {
        const std::string itemStart = "Translate this page</a></font><p>";
        text = afterFirst(text, "Ungroup results</a></font></");
        text = ReplaceAll(text, "<p>\r\n<font face=\"Helvetica,Arial\" size=\"2\">", itemStart);
        text = ReplaceAll(text, "<br>\r\n<font face=\"Helvetica,Arial\" size=\"2\">", itemStart);
        text = ReplaceAll(text, "< Previous 10  &nbsp;|&nbsp;Next 10 > ", itemStart);
        text = ReplaceAll(text, "<br>Relevance: <font", "<~><Relevance:>");
        return repairRedirects(text, "/redirect", "//www", "http:");
    }
    if (name == "IWON") {
        text = twoBlocks(text, "<!--anchor for web sites-->", "<!--End of framework header file-->");
        return numberOccurrencesInTurn(text, std::string(kIWonHost), 5, 4, "[[", "]]", 1);
    }
    if (name == "LYCOS") {
        text = DeleteBetween(text, "articles were found from a search",
                             "registered trademark of Carnegie Mellon University.", false);
        std::string lists;
        while (true) {
            Piece list = ExtractBetween(text, "<OL ", "</OL>");
            if (list.piece.empty())
                break;
            lists += ReplaceAll(ReplaceAll(list.piece, "%", "&"), "+", "&");
            text = from(text, list.position);
        }
        text = NumberMarkers(ReplaceAll(lists, "<LI>", "[[]]"), "[[", "]]", 1);
        return ReplaceAll(ReplaceAll(text, "LCOS", "<##<"), "<br>", "<BR>");
    }
    if (name == "NORTHERNLIGHT") {
        size_t at = text.find("<!--NLResultStart-->");
        if (at != npos)
            text = text.substr(at);
        long n = 1;
        while ((at = text.find("<!--NLResultStart-->")) != npos) {
            text = text.substr(0, at) + "<!--NLResultStart" + num(n++) + "-->" + text.substr(at + 20);
        }
        return text;
    }
    if (name == "SNAP") {
        text = DeleteBetween(text, "", "<blockquote>", true);
        text = ReplaceAll(text, std::string(kSnapClickPrefix), "[[]]]~");
        text = deleteBetweenRepeatedly(text, "]~", "=\">");
        text = ReplaceAll(text, "<font><a href=\"/slog", "[[]]]~");
        text = deleteBetweenRepeatedly(text, "]~", "<b>");
        text = ReplaceAll(text, "<p>\r\n[[", "<br><p>~~[[");
        text = NumberMarkers(text, "[[", "]]", 1);
        text = ReplaceAll(text, "&nbsp;  http://", "<&}{&>http://");
        text = ReplaceAll(text, "&nbsp; http://", "<&}{&>http://");
        return ReplaceAll(text, "<br><p>", "&nbsp;");
    }
    if (name == "WEBCRAWLER") {
        text = twoBlocks(text, "for these results.", "For more comprehensive results, ");
        return NumberMarkers(ReplaceAll(text, "<BR>&nbsp;&nbsp;&#", "[[]]"), "[[", "]]", 1);
    }
    if (name == "YAHOO") {
        text = ReplaceAll(text, "<LI>", "[EnD][[]]");
        return NumberMarkers(afterFirst(text, "[EnD]"), "[[", "]]", 1);
    }
    return text;
}

}  // namespace

Piece ExtractBetween(const std::string& text, const std::string& start, const std::string& end) {
    size_t startAt = 0;
    if (!start.empty()) {
        startAt = text.find(start);
        if (startAt == npos)
            return {"", -1};
    }
    std::string rest = text.substr(startAt + start.size());
    if (end.empty())
        return {rest, static_cast<long>(text.size()) + 1};
    size_t endAt = rest.find(end);
    if (endAt == npos || endAt == 0)
        return {"", -1};
    return {rest.substr(0, endAt), static_cast<long>(startAt + start.size() + endAt) + 1};
}

std::string DeleteBetween(const std::string& text, const std::string& start, const std::string& end,
                          bool removeMarkers) {
    Piece found = ExtractBetween(text, start, end);
    if (found.piece.empty())
        return text;
    size_t startAt = start.empty() ? 0 : text.find(start);
    std::string out = text.substr(0, startAt);
    if (!removeMarkers)
        out += start;
    if (!end.empty()) {
        size_t endAt = startAt + start.size() + found.piece.size();
        out += text.substr(removeMarkers ? endAt + end.size() : endAt);
    }
    return out;
}

std::string ReplaceAll(std::string text, const std::string& find, const std::string& replacement) {
    if (find == replacement || find.empty())
        return text;
    size_t at;
    while ((at = text.find(find)) != npos)
        text = text.substr(0, at) + replacement + text.substr(at + find.size());
    return text;
}

std::optional<std::string> ReplaceAllWithin(std::string text, const std::string& find,
                                            const std::string& replacement, long maxSteps) {
    if (find == replacement || find.empty())
        return text;
    size_t at;
    for (long step = 0; (at = text.find(find)) != npos; ++step) {
        if (step == maxSteps)
            return std::nullopt;
        text = text.substr(0, at) + replacement + text.substr(at + find.size());
    }
    return text;
}

std::string NumberMarkers(std::string text, const std::string& open, const std::string& close,
                          int firstNumber) {
    return numberPairsInTurn(std::move(text), open, close, firstNumber, "");
}

std::string numberPairsInTurn(std::string text, const std::string& open, const std::string& close,
                              int firstNumber, const std::string& afterNumber) {
    const std::string pair = open + close;
    if (pair.empty())
        return text;
    long long n = firstNumber;
    size_t at;
    while ((at = text.find(pair)) != npos) {
        text = text.substr(0, at) + open + num(n++) + afterNumber + close + text.substr(at + pair.size());
    }
    return text;
}

std::string numberOccurrencesInTurn(std::string text, const std::string& find, size_t keep, size_t drop,
                                    const std::string& open, const std::string& close, int firstNumber) {
    long long n = firstNumber;
    size_t at;
    while ((at = text.find(find)) != npos) {
        text = text.substr(0, at + keep) + open + num(n++) + close + text.substr(at + keep + drop);
    }
    return text;
}

std::string deleteBetweenRepeatedly(std::string text, const std::string& start, const std::string& end) {
    while (true) {
        std::string changed = DeleteBetween(text, start, end, true);
        if (changed == text)
            return text;
        text = std::move(changed);
    }
}

std::string collapseRelocations(std::string text, const std::string& prefix, const std::string& stop,
                                const std::string& replacement) {
    while (true) {
        std::string piece = ExtractBetween(text, prefix, stop).piece;
        std::string changed = ReplaceAll(text, prefix + piece + stop, replacement);
        if (changed == text)
            return text;
        text = std::move(changed);
    }
}

std::string repairRedirects(std::string text, const std::string& marker, const std::string& until,
                            const std::string& replacement) {
    while (text.find(marker) != npos) {
        std::string piece = ExtractBetween(text, marker, until).piece;
        text = ReplaceAll(text, marker + piece, replacement);
    }
    return text;
}

std::vector<ResultRow> ExtractRows(const std::string& text, const RowMarkers& markers) {
    const std::string itemStart(markers.itemStart), itemEnd(markers.itemEnd);
    const std::string labelStart(markers.labelStart), labelEnd(markers.labelEnd);
    const std::string addressStart(markers.addressStart), addressEnd(markers.addressEnd);
    std::vector<ResultRow> rows;
    std::string remaining = text;
    while (true) {
        long notedLength = static_cast<long>(remaining.size());
        Piece item = ExtractBetween(remaining, itemStart, itemEnd);
        std::string label = ExtractBetween(item.piece, labelStart, labelEnd).piece;
        if (label.empty())
            break;
        std::string address = ExtractBetween(item.piece, addressStart, addressEnd).piece;
        address = DeleteBetween(address, "?", "", true);
        if (address.empty())
            break;
        rows.push_back({label, address});
        remaining = from(remaining, item.position);
        if (!(notedLength > item.position && !item.piece.empty() && item.position != -1))
            break;
    }
    return rows;
}

std::vector<ResultRow> resultRows(const EngineRule& rule, const std::string& page) {
    std::vector<ResultRow> rows = ExtractRows(prepare(rule, page), rule.markers);
    if (rule.upperName == "IWON") {
        for (ResultRow& row : rows) {
            size_t amp = row.address.find('&');
            if (amp != npos)
                row.address = row.address.substr(0, amp);
        }
    }
    return rows;
}

}  // namespace baseline
