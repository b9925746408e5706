#include "position/core/enginerules.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "bench/analyze_baseline.h"
#include "platform/core/safefile.h"
#include "platform/core/text.h"
#include "position/core/rulefile.h"
#include "position/tests/resultrow_print.h"

namespace {

using Rows = std::vector<ResultRow>;
namespace fs = std::filesystem;

// The shipped file form of each built-in rule (edata/builtin/NAME.rule), by upper-case name.
const std::map<std::string, PageRule>& builtInRuleFiles() {
    static const std::map<std::string, PageRule> files = [] {
        std::map<std::string, PageRule> out;
        for (const fs::directory_entry& entry :
             fs::directory_iterator(fs::path(RANQOR_DATA_DIR) / "edata" / "builtin")) {
            RuleFileReading reading = readRuleFile(readFileBytes(entry.path()));
            EXPECT_TRUE(reading.ok())
                << entry.path() << " line " << reading.errorLine << ": " << reading.error;
            if (reading.ok() && std::holds_alternative<PageRule>(reading.rule))
                out[upperAscii(entry.path().stem().string())] = std::get<PageRule>(reading.rule);
        }
        return out;
    }();
    return files;
}

const PageRule* fileFormOf(const EngineRule& rule) {
    auto found = builtInRuleFiles().find(std::string(rule.upperName));
    return found == builtInRuleFiles().end() ? nullptr : &found->second;
}

// A result page as the analysis gets it: every line break written as CR LF.
std::string page(std::string_view text) {
    return withCrLf(text);
}

Rows rowsOf(std::string_view engine, const std::string& text) {
    const EngineRule* rule = findEngineRule(engine);
    if (!rule) {
        ADD_FAILURE() << "no rule for " << engine;
        return {};
    }
    Rows rows = resultRows(*rule, text);
    EXPECT_EQ(rows, baseline::resultRows(*rule, text)) << engine << ": differs from the worded preparation";
    // The file form of the rule is complete: it reads every page to the same rows, and prepares
    // it to the same text.
    if (const PageRule* file = fileFormOf(*rule)) {
        EXPECT_EQ(pageRuleRows(*file, text), rows) << engine << ": its rule file reads other rows";
        EXPECT_EQ(prepareWithRule(*file, text), preparePage(*rule, text)) << engine;
    } else {
        ADD_FAILURE() << "no rule file for " << engine;
    }
    return rows;
}

TEST(EngineRules, FifteenRulesChosenByNameInAnyCase) {
    const std::pair<std::string_view, std::string_view> names[] = {
        {"AllTheWeb", "AllTheWeb"},
        {"altavista", "AltaVista"},
        {"AOL", "AOL"},
        {"dmoz", "Dmoz"},
        {"Excite", "Excite"},
        {"DirectHit", "DirectHit"},
        {"gOoGlE", "Google"},
        {"INFOSEEK", "InfoSeek"},
        {"iwon", "IWon"},
        {"Lycos", "Lycos"},
        {"msn", "MSN"},
        {"NorthernLight", "NorthernLight"},
        {"snap", "Snap"},
        {"WebCrawler", "WebCrawler"},
        {"yahoo", "Yahoo!"},
    };
    EXPECT_EQ(engineRules().size(), std::size(names));
    for (auto [name, display] : names) {
        const EngineRule* rule = findEngineRule(name);
        ASSERT_NE(rule, nullptr) << name;
        EXPECT_EQ(rule->displayName, display);
    }
    for (std::string_view name : {"HotBot", "LOOKSMART", "WhatYouSeek", "", "Yahoo!", " google", "Google2"}) {
        EXPECT_EQ(findEngineRule(name), nullptr) << name;
    }
}

TEST(EngineRules, EveryBuiltInRuleShipsAsAFileOfTheSameNameAndMarkers) {
    EXPECT_EQ(builtInRuleFiles().size(), engineRules().size());
    for (const EngineRule& rule : engineRules()) {
        const PageRule* file = fileFormOf(rule);
        ASSERT_NE(file, nullptr) << rule.upperName;
        EXPECT_EQ(file->displayName, rule.displayName);
        const RowMarkers a = file->markers();
        const RowMarkers& b = rule.markers;
        EXPECT_EQ((std::vector<std::string_view>{a.itemStart, a.itemEnd, a.labelStart, a.labelEnd,
                                                 a.addressStart, a.addressEnd}),
                  (std::vector<std::string_view>{b.itemStart, b.itemEnd, b.labelStart, b.labelEnd,
                                                 b.addressStart, b.addressEnd}))
            << rule.displayName;
        EXPECT_EQ(file->steps.empty(), rule.prepare == nullptr) << rule.displayName;
        EXPECT_EQ(file->cutAddressAt.empty(), rule.finish == nullptr) << rule.displayName;
    }
}

TEST(EngineRules, AllTheWeb) {
    std::string text = page(R"(<html><body><dl>
<dt>1.&nbsp;<a href="http://www.alpha.com/">Alpha</a><br>Alpha text<br><span class="url">www.alpha.com/</span><br><br>
<dt>2.&nbsp;<a href="http://www.beta.com/x.html?id=7">Beta</a><br><span class="url">www.beta.com/x.html?id=7</span><br><br>
</dl></body></html>)");
    EXPECT_EQ(rowsOf("ALLTHEWEB", text), (Rows{{"1.", "www.alpha.com/"}, {"2.", "www.beta.com/x.html"}}));
}

TEST(EngineRules, AltaVista) {
    std::string text = page(R"(<html><body>
<dl><dt><b class=txt2>1.</b> <b><a href="http://www.alpha.com/">Alpha</a></b><dd>Alpha text</dl>
<dl><dt><b class=txt2>2.</b> <b><a href="http://www.beta.com/b.html">Beta</a></b><dd>Beta text</dl>
</body></html>)");
    EXPECT_EQ(rowsOf("AltaVista", text),
              (Rows{{"1", "http://www.alpha.com/"}, {"2", "http://www.beta.com/b.html"}}));
}

TEST(EngineRules, AolSkipsEverythingBeforeTheWebResults) {
    std::string text = page(R"(<html><body>Sponsored:
<a href="http://ad.example/" onmouseover="self.status='http://ad.example/';return true">Ad</a><BR><I>ad</I><BR>
The following results are from the World Wide Web and may contain objectionable material.<br>
<a href="http://www.alpha.com/" onmouseover="self.status='http://www.alpha.com/';return true">Alpha</a><BR><I>http://www.alpha.com/</I><BR>
<a href="http://www.beta.com/" onmouseover="self.status='http://www.beta.com/?q=1';return true">Beta</a><BR><I>http://www.beta.com/</I><BR>
</body></html>)");
    EXPECT_EQ(rowsOf("aol", text), (Rows{{"1", "http://www.alpha.com/"}, {"2", "http://www.beta.com/"}}));
}

TEST(EngineRules, DmozLabelsCarryAPoint) {
    std::string text = page(R"(<html><body><ul>
<li><a href="http://www.alpha.com/">Alpha</a> - Alpha text<br><small><i>Top: Alpha</i></small>
<li><a href="http://www.beta.com/">Beta</a> - Beta text<br><small><i>Top: Beta</i></small>
</ul></body></html>)");
    EXPECT_EQ(rowsOf("Dmoz", text), (Rows{{"1.", "http://www.alpha.com/"}, {"2.", "http://www.beta.com/"}}));
}

TEST(EngineRules, ExciteReadsTheAddressBehindTheRelocation) {
    std::string text = page(
        R"(<html><body><A HREF="http://www.excite.com/relocate/sp=0;http://www.ad.com/">Ad</A> Web Results<ul>
<li><A HREF="http://www.excite.com/relocate/sp=1;http://www.alpha.com/">Alpha</A> Alpha text</li><p>
<li><A HREF="http://www.excite.com/relocate/sp=2;http://www.beta.com/b?x=1">Beta</A> Beta text</li><p>
</body></html>)");
    EXPECT_EQ(rowsOf("EXCITE", text), (Rows{{"1", "http://www.alpha.com/"}, {"2", "http://www.beta.com/b"}}));
}

constexpr std::string_view kDirectHitPage1 = R"(<html><body>Results
<FONT SIZE="-1">1. <A HREF="http://www.directhit.com/go?u=1">Alpha</A> Alpha text</FONT><BR>
http://www.alpha.com/<BR><BR>
<FONT SIZE="-1">2. <A HREF="http://www.directhit.com/go?u=2">Beta</A></FONT><BR>
http://www.beta.com/<BR><BR>
<TABLE BORDER="0"><tr><td>Next</td></tr></TABLE></body></html>
)";

TEST(EngineRules, DirectHitReadsAOnePageResultThreeTimes) {
    // With no second or third ten the later pieces fall back to the whole text up to its table.
    EXPECT_EQ(rowsOf("DirectHit", page(kDirectHitPage1)), (Rows{{"1", "http://www.alpha.com/"},
                                                                {"2", "http://www.beta.com/"},
                                                                {"1", "http://www.alpha.com/"},
                                                                {"2", "http://www.beta.com/"},
                                                                {"1", "http://www.alpha.com/"},
                                                                {"2", "http://www.beta.com/"}}));
}

TEST(EngineRules, DirectHitJoinsItsThreePages) {
    std::string text = page(std::string(kDirectHitPage1) + R"(<html><body>
<FONT SIZE="-1">11. <A HREF="http://www.directhit.com/go?u=11">Eleven</A></FONT><BR>
http://www.eleven.com/<BR><BR>
<FONT SIZE="-1">12. <A HREF="http://www.directhit.com/go?u=12">Twelve</A></FONT><BR>
http://www.twelve.com/?a=b<BR><BR>
<TABLE BORDER="0"></TABLE></body></html>
<html><body>
<FONT SIZE="-1">21. <A HREF="http://www.directhit.com/go?u=21">Twenty-one</A></FONT><BR>
http://www.twentyone.com/<BR><BR>
<TABLE BORDER="0"></TABLE></body></html>
)");
    EXPECT_EQ(rowsOf("directhit", text), (Rows{{"1", "http://www.alpha.com/"},
                                               {"2", "http://www.beta.com/"},
                                               {"11", "http://www.eleven.com/"},
                                               {"12", "http://www.twelve.com/"},
                                               {"21", "http://www.twentyone.com/"}}));
}

TEST(EngineRules, GoogleLabelsAreTheInsertedNumbers) {
    std::string text = page(R"(<html><body><p><A HREF=http://www.outside.com/>Outside</A>
Results 1 - 2. Search took <b>0.08</b> seconds
<p><A HREF=http://www.alpha.com/>Alpha</A><font size=-1><br>7. Alpha text</font>
<p><A HREF=http://www.beta.com/b?x=1>Beta</A><font size=-1><br>Beta text</font>
<p><center>Result Page: <A HREF=/search?start=10>Next</A></center>
<p><A HREF=http://www.after.com/>After</A></body></html>)");
    EXPECT_EQ(rowsOf("Google", text), (Rows{{"1", "http://www.alpha.com/"}, {"2", "http://www.beta.com/b"}}));
}

TEST(EngineRules, InfoSeekRepairsRedirectedLinks) {
    std::string text = page(R"(<html><body><a href="/x">Ungroup results</a></font></td></tr></table>
<p>
<font face="Helvetica,Arial" size="2">1. <b><a href="http://www.alpha.com/">Alpha</a></b><br>Alpha text<br>Relevance: <font color=gray>90%</font>
<br>
<font face="Helvetica,Arial" size="2">2. <b><a href="/redirect?u=http://www.beta.com/b.html">Beta</a></b><br>Relevance: <font color=gray>80%</font>
<p>
<font face="Helvetica,Arial" size="2">3. <b><a href="/redirect?u=http://www.gamma.com/">Gamma</a></b><br>Relevance: <font color=gray>70%</font>
< Previous 10  &nbsp;|&nbsp;Next 10 > </body></html>)");
    EXPECT_EQ(rowsOf("InfoSeek", text), (Rows{{"1", "http://www.alpha.com/"},
                                              {"2", "http://www.beta.com/b.html"},
                                              {"3", "http://www.gamma.com/"}}));
}

TEST(EngineRules, IWonNumbersItsOwnLinksAndCutsAtTheFirstAmpersand) {
    std::string text = page(R"(<html><body>
<!--anchor for web sites-->
<a href="http://www.iwon.com/go?redir=http://www.alpha.com/&id=1">Alpha</a><br>
<a href="http://www.iwon.com/go?redir=http://www.beta.com/a&b?x=1">Beta</a><br>
<!--End of framework header file-->
<p>Sponsored</p>
<!--anchor for web sites-->
<a href="http://www.iwon.com/go?redir=http://www.gamma.com/">Gamma</a><br>
<a href="http://www.iwon.com/go?redir=&id=4">Nothing</a><br>
<!--End of framework header file-->
</body></html>)");
    EXPECT_EQ(rowsOf("IWon", text), (Rows{{"1", "http://www.alpha.com/"},
                                          {"2", "http://www.beta.com/a"},
                                          {"3", "http://www.gamma.com/"},
                                          {"4", ""}}));
}

TEST(EngineRules, LycosCollectsItsListsAndTurnsEscapesIntoAmpersands) {
    std::string text = page(R"(<html><body>12 articles were found from a search for alpha.
<OL class=ads><LI><a href="http://ads.lycos.com/?id=0&target=http://www.ad.com/&q=x">Ad</a></LI></OL>
Lycos is a registered trademark of Carnegie Mellon University.
<OL start=1>
<LI><a href="http://click.lycos.com/director.asp?id=1&target=http://www.alpha.com/&query=x">Alpha</a> Alpha text</LI>
<LI><a href="http://click.lycos.com/director.asp?id=2&target=http://www.beta.com/b%20c.html&query=x">Beta</a></LI>
</OL><br>More<br>
<OL start=3>
<LI><a href="http://click.lycos.com/director.asp?id=3&target=http://www.gamma.com/+x&query=x">Gamma</a></LI>
</OL></body></html>)");
    EXPECT_EQ(rowsOf("LYCOS", text), (Rows{{"1", "http://www.alpha.com/"},
                                           {"2", "http://www.beta.com/b"},
                                           {"3", "http://www.gamma.com/"}}));
}

TEST(EngineRules, Msn) {
    std::string text = page(R"(<html><body>
<SPAN CLASS="clsResultNumber">1.</SPAN> <A HREF="http://www.alpha.com/">Alpha</A><BR><SPAN CLASS='clsResulturl'>http://www.alpha.com/</SPAN><BR><SPAN CLASS='clsResultAbstract'>Alpha text</SPAN>
<SPAN CLASS="clsResultNumber">2.</SPAN> <A HREF="http://www.beta.com/">Beta</A><BR><SPAN CLASS='clsResulturl'>http://www.beta.com/b?c</SPAN><BR><SPAN CLASS='clsResultAbstract'>Beta text</SPAN>
</body></html>)");
    EXPECT_EQ(rowsOf("MSN", text), (Rows{{"1", "http://www.alpha.com/"}, {"2", "http://www.beta.com/b"}}));
}

TEST(EngineRules, NorthernLight) {
    std::string text = page(R"(<html><body><a href="http://www.header.com/">Header</a>
<!--NLResultStart--><a href="http://www.alpha.com/">Alpha</a> Alpha text<!--NLResultEnd-->
<!--NLResultStart--><a href="http://www.beta.com/">Beta</a> Beta text<!--NLResultEnd-->
</body></html>)");
    EXPECT_EQ(rowsOf("NorthernLight", text),
              (Rows{{"1", "http://www.alpha.com/"}, {"2", "http://www.beta.com/"}}));
}

TEST(EngineRules, SnapTakesTheAddressPrintedUnderEachResult) {
    std::string text =
        page(R"(<html><body><a href="http://www.snap.com/click?u=http://ad.com/=">Ad</a><blockquote>
<p>
<font><a href="/slog?r=1&u=http://www.alpha.com/"><b>Alpha</b></a></font><br>Alpha text&nbsp;  http://www.alpha.com/<br>
<p>
http://www.snap.com/click?u=http://www.beta.com/&k=1=">Beta</a><br>Beta text&nbsp; http://www.beta.com/b?q=1<br>
<p>
<font><a href="/slog?r=3&u=http://www.gamma.com/"><b>Gamma</b></a></font><br>Gamma text&nbsp; http://www.gamma.com/<br>
</blockquote><br><p>Next page</body></html>)");
    EXPECT_EQ(rowsOf("Snap", text), (Rows{{"1", "http://www.alpha.com/"},
                                          {"2", "http://www.beta.com/b"},
                                          {"3", "http://www.gamma.com/"}}));
}

TEST(EngineRules, WebCrawlerReadsBothResultBlocks) {
    std::string text = page(R"(<html><body>Show summaries for these results.
<BR>&nbsp;&nbsp;&#149;&nbsp;<A HREF=http://www.alpha.com/>Alpha</A> Alpha text
<BR>&nbsp;&nbsp;&#149;&nbsp;<A HREF=http://www.beta.com/?q=1>Beta</A>
For more comprehensive results, try the search again.
<BR>&nbsp;&nbsp;&#149;&nbsp;<A HREF=http://www.between.com/>Between</A>
Sponsored for these results.
<BR>&nbsp;&nbsp;&#149;&nbsp;<A HREF=http://www.gamma.com/>Gamma</A>
For more comprehensive results, try again.
</body></html>)");
    EXPECT_EQ(rowsOf("WebCrawler", text), (Rows{{"1", "http://www.alpha.com/"},
                                                {"2", "http://www.beta.com/"},
                                                {"3", "http://www.gamma.com/"}}));
}

TEST(EngineRules, YahooNeverReadsTheLastEntry) {
    std::string text = page(R"(<html><body><ul>
<LI><A HREF="http://www.alpha.com/">Alpha</A> - Alpha text
<LI><A HREF="http://www.beta.com/">Beta</A> - Beta text
<LI><A HREF="http://www.gamma.com/">Gamma</A> - Gamma text
</ul></body></html>)");
    EXPECT_EQ(rowsOf("Yahoo", text), (Rows{{"1", "http://www.alpha.com/"}, {"2", "http://www.beta.com/"}}));
}

TEST(EngineRules, FrontMarkersStandingFirstKeepThePage) {
    // Nothing stands in front of the marker, so nothing is dropped, not even the marker.
    EXPECT_EQ(
        rowsOf(
            "AOL",
            page(
                R"(The following results are from the World Wide Web and may contain objectionable material onmouseover="self.status='http://www.alpha.com/';"></I><BR>)")),
        (Rows{{"1", "http://www.alpha.com/"}}));
    EXPECT_EQ(rowsOf("Excite", "<li>LiNkStArT:http://www.alpha.com/\">A</li><p>"),
              (Rows{{"1", "http://www.alpha.com/"}}));
    EXPECT_EQ(rowsOf("Snap", "<blockquote>[[]]<&}{&>http://www.alpha.com/<br>&nbsp;"),
              (Rows{{"1", "http://www.alpha.com/"}}));
}

TEST(EngineRules, PagesInAChangedLayoutGiveNoRows) {
    const std::string text =
        page(R"(<html><body><div class="result"><a href="http://www.alpha.com/">Alpha</a></div>
<div class="result"><a href="http://www.beta.com/">Beta</a></div></body></html>)");
    for (const EngineRule& rule : engineRules()) {
        EXPECT_EQ(resultRows(rule, text), Rows{}) << rule.displayName;
        EXPECT_EQ(resultRows(rule, ""), Rows{}) << rule.displayName;
        if (const PageRule* file = fileFormOf(rule)) {
            EXPECT_EQ(pageRuleRows(*file, text), Rows{}) << rule.displayName;
            EXPECT_EQ(pageRuleRows(*file, ""), Rows{}) << rule.displayName;
        }
    }
}

}  // namespace
