#include "position/core/enginerules.h"

#include <array>

#include "platform/core/text.h"
#include "position/core/rewrite.h"

namespace {

// ReplaceAll on a prepared text, which is left in place when the marker does not occur, and
// changed in place when each occurrence turns into as many other characters that cannot form a
// new one.
void replaceIn(std::string& text, std::string_view find, std::string_view replacement) {
    size_t at = findText(text, find);
    if (at == kNotFound)
        return;
    if (find.size() != replacement.size() || canMeet(find, replacement)) {
        text = ReplaceAll(text, find, replacement);
        return;
    }
    for (; at != kNotFound; at = findText(text, find, at + find.size()))
        text.replace(at, find.size(), replacement);
}

std::string numberDoubleBrackets(std::string_view text) {
    return NumberMarkers(text, "[[", "]]", 1);
}

// Everything after the first `marker`; empty when there is none.
std::string_view after(std::string_view text, std::string_view marker) {
    size_t at = findText(text, marker);
    return at == kNotFound ? std::string_view() : text.substr(at + marker.size());
}

// The piece between the markers, followed by the same piece taken again from the first piece's
// end position on: the page carries a second block of results further down.
std::string twoBlocks(std::string_view text, std::string_view start, std::string_view end) {
    ExtractedPiece first = ExtractBetween(text, start, end);
    std::string out(first.piece);
    if (first.position != -1) {
        out += ExtractBetween(text.substr(static_cast<size_t>(first.position - 1)), start, end).piece;
    }
    return out;
}

// DeleteBetween(text, none, marker, keepMarker ? false : true) without copying the page: what
// stays is the text from (or after) the first marker, or all of it when the marker is missing or
// stands first.
std::string_view droppingFront(std::string_view text, std::string_view marker, bool keepMarker) {
    size_t at = findText(text, marker);
    if (at == kNotFound || at == 0)
        return text;
    return text.substr(keepMarker ? at : at + marker.size());
}

std::string prepareAol(std::string_view page) {
    std::string_view text = droppingFront(
        page, "The following results are from the World Wide Web and may contain objectionable material",
        false);
    return numberDoubleBrackets(ReplaceAll(text, "onmouseover=\"self.status='", "[[]]"));
}

std::string prepareDmoz(std::string_view page) {
    std::string text = ReplaceAll(page, "<li><a href=\"", "[[]]<a href=\"");
    return numberPairs(text, "[[", "]]", 1, ".");
}

std::string prepareExcite(std::string_view page) {
    std::string text = numberDoubleBrackets(ReplaceAll(droppingFront(page, "<li>", true), "<li>", "[[]]"));
    return collapseRelocations(text, kExciteRelocationPrefix, ";", "LiNkStArT:");
}

// A page of the second and third ten starts one character before that ten's first result.
std::string_view fromTen(std::string_view text, std::string_view firstOfTen) {
    size_t at = findText(text, firstOfTen);
    if (at == kNotFound)
        return text;
    return text.substr(at == 0 ? 0 : at - 1);
}

std::string prepareDirectHit(std::string_view page) {
    constexpr std::string_view font = "<FONT SIZE=\"-1\">";
    constexpr std::string_view table = "<TABLE BORDER=\"0\"";
    std::string text(font);
    text += ExtractBetween(page, font, table).piece;
    // On a single page the second and third pieces fall back to the whole text, so the first
    // results are read up to three times; that is how this engine's rule has always counted.
    std::string_view second = fromTen(page, "<FONT SIZE=\"-1\">11. <A");
    text += ExtractBetween(second, "", table).piece;
    std::string_view third = fromTen(second, "<FONT SIZE=\"-1\">21. <A");
    text += ExtractBetween(third, "", table).piece;
    return text;
}

std::string prepareGoogle(std::string_view page) {
    std::string_view results = ExtractBetween(page, "Search took <b>", "<p><center>").piece;
    // Results carry no number of their own; the label is the one inserted here.
    return numberOccurrences(results, "<p><A HREF=http:", 11, 0, "[[", "]]", 1);
}

std::string prepareInfoSeek(std::string_view page) {
    constexpr std::string_view itemStart = "Translate this page</a></font><p>";
    std::string text(after(page, "Ungroup results</a></font></"));
    replaceIn(text, "<p>\r\n<font face=\"Helvetica,Arial\" size=\"2\">", itemStart);
    replaceIn(text, "<br>\r\n<font face=\"Helvetica,Arial\" size=\"2\">", itemStart);
    replaceIn(text, "< Previous 10  &nbsp;|&nbsp;Next 10 > ", itemStart);
    replaceIn(text, "<br>Relevance: <font", "<~><Relevance:>");
    return repairRedirects(text, "/redirect", "//www", "http:");
}

std::string prepareIWon(std::string_view page) {
    std::string text = twoBlocks(page, "<!--anchor for web sites-->", "<!--End of framework header file-->");
    return numberOccurrences(text, kIWonHost, 5, 4, "[[", "]]", 1);
}

void finishIWon(std::vector<ResultRow>& rows) {
    // The engine's redirect appends its own parameters with '&' and no '?' in front of them.
    for (ResultRow& row : rows) {
        size_t amp = row.address.find('&');
        if (amp != std::string::npos)
            row.address.resize(amp);
    }
}

std::string prepareLycos(std::string_view page) {
    std::string text = DeleteBetween(page, "articles were found from a search",
                                     "registered trademark of Carnegie Mellon University.", false);
    std::string lists;
    lists.reserve(text.size());
    std::string_view rest = text;
    while (true) {
        ExtractedPiece list = ExtractBetween(rest, "<OL ", "</OL>");
        if (list.piece.empty())
            break;
        size_t appended = lists.size();
        lists += list.piece;
        // ReplaceAll of "%" and then "+" by "&": one character for another.
        for (char escape : {'%', '+'}) {
            for (size_t at = lists.find(escape, appended); at != std::string::npos;
                 at = lists.find(escape, at + 1))
                lists[at] = '&';
        }
        rest = rest.substr(static_cast<size_t>(list.position - 1));
    }
    replaceIn(lists, "<LI>", "[[]]");
    text = numberDoubleBrackets(lists);
    replaceIn(text, "LCOS", "<##<");
    replaceIn(text, "<br>", "<BR>");
    return text;
}

std::string prepareNorthernLight(std::string_view page) {
    constexpr std::string_view start = "<!--NLResultStart-->";
    size_t at = findText(page, start);
    std::string_view text = at == kNotFound ? page : page.substr(at);
    return numberOccurrences(text, start, start.size() - 3, 0, "", "", 1);
}

std::string prepareSnap(std::string_view page) {
    std::string text = ReplaceAll(droppingFront(page, "<blockquote>", false), kSnapClickPrefix, "[[]]]~");
    text = deleteBetweenRepeatedly(text, "]~", "=\">");
    replaceIn(text, "<font><a href=\"/slog", "[[]]]~");
    text = deleteBetweenRepeatedly(text, "]~", "<b>");
    replaceIn(text, "<p>\r\n[[", "<br><p>~~[[");
    text = numberDoubleBrackets(text);
    replaceIn(text, "&nbsp;  http://", "<&}{&>http://");
    replaceIn(text, "&nbsp; http://", "<&}{&>http://");
    replaceIn(text, "<br><p>", "&nbsp;");
    return text;
}

std::string prepareWebCrawler(std::string_view page) {
    std::string text = twoBlocks(page, "for these results.", "For more comprehensive results, ");
    return numberDoubleBrackets(ReplaceAll(text, "<BR>&nbsp;&nbsp;&#", "[[]]"));
}

std::string prepareYahoo(std::string_view page) {
    // Each entry ends where the next one begins, so the page's last entry is never cut out.
    std::string text = ReplaceAll(page, "<LI>", "[EnD][[]]");
    return numberDoubleBrackets(after(text, "[EnD]"));
}

constexpr std::array<EngineRule, 15> kRules{{
    {"ALLTHEWEB",
     "AllTheWeb",
     {"<dt>", "<br><br>", "", "&nbsp;", "<span class=\"url\">", "</span>"},
     nullptr,
     nullptr},
    {"ALTAVISTA",
     "AltaVista",
     {"<dl><dt>", "<dd>", "<b class=txt2>", ".</b>", "<b><a href=\"", "\">"},
     nullptr,
     nullptr},
    {"AOL", "AOL", {"[[", "</I><BR>", "", "]]", "]]", "';"}, prepareAol, nullptr},
    {"DMOZ", "Dmoz", {"[[", "<br><small><i>", "", "]]", "]]<a href=\"", "\">"}, prepareDmoz, nullptr},
    {"EXCITE", "Excite", {"[[", "</li><p>", "", "]]", "LiNkStArT:", "\">"}, prepareExcite, nullptr},
    {"DIRECTHIT",
     "DirectHit",
     {"<FONT SIZE=\"-1\"", "<BR><BR>", ">", ". <A HREF=", "</FONT><BR>\r\n", ""},
     prepareDirectHit,
     nullptr},
    {"GOOGLE", "Google", {"<p><A HREF=", ">", "[[", "]]", "]]", ""}, prepareGoogle, nullptr},
    {"INFOSEEK",
     "InfoSeek",
     {"Translate this page</a></font><p>", "<Relevance:>", "", ". <b><a href=\"", "<b><a href=\"", "\">"},
     prepareInfoSeek,
     nullptr},
    {"IWON", "IWon", {"<a href=\"http://www.", ">", "[[", "]]", "redir=", "\""}, prepareIWon, finishIWon},
    {"LYCOS", "Lycos", {"[[", "</LI>", "", "]]", "&target=", "&"}, prepareLycos, nullptr},
    {"MSN",
     "MSN",
     {"CLASS=\"clsResultNumber\"", "<SPAN CLASS='clsResultAb", ">", ".</SPAN>", "CLASS='clsResulturl'>",
      "</SPAN>"},
     nullptr,
     nullptr},
    {"NORTHERNLIGHT",
     "NorthernLight",
     {"<!--NLResultStart", "<!--NLResultEnd-->", "", "-->", "--><a href=\"", "\">"},
     prepareNorthernLight,
     nullptr},
    {"SNAP", "Snap", {"[[", "&nbsp;", "", "]]", "<&}{&>", "<br>"}, prepareSnap, nullptr},
    {"WEBCRAWLER", "WebCrawler", {"[[", ">", "", "]]", ";&nbsp;<A HREF=", ""}, prepareWebCrawler, nullptr},
    {"YAHOO", "Yahoo!", {"[[", "[EnD]", "", "]]", "<A HREF=\"", "\">"}, prepareYahoo, nullptr},
}};

}  // namespace

std::span<const EngineRule> engineRules() {
    return kRules;
}

const EngineRule* findEngineRule(std::string_view engineName) {
    std::string upper = upperAscii(engineName);
    for (const EngineRule& rule : kRules) {
        if (rule.upperName == upper)
            return &rule;
    }
    return nullptr;
}

std::string preparePage(const EngineRule& rule, std::string_view page) {
    return rule.prepare ? rule.prepare(page) : std::string(page);
}

std::vector<ResultRow> resultRows(const EngineRule& rule, std::string_view page) {
    std::vector<ResultRow> rows;
    if (rule.prepare) {
        rows = ExtractRows(rule.prepare(page), rule.markers);
    } else {
        rows = ExtractRows(page, rule.markers);
    }
    if (rule.finish)
        rule.finish(rows);
    return rows;
}

std::vector<ResultRow> preparedRows(const EngineRule& rule, std::string_view preparedPage) {
    std::vector<ResultRow> rows = ExtractRows(preparedPage, rule.markers);
    if (rule.finish)
        rule.finish(rows);
    return rows;
}
