// Analyze over large synthetic result pages, against the worded baseline of analyze_baseline.cpp.
//
//   bench_analyze [--no-baseline] [ENGINE...]   all rules that rewrite or number their page, or
//                                               the named ones
//
// For every rule and page size it checks that both give the same rows and the same report, and
// prints one line such as "Google 10000 results: ours 3.1 ms, baseline 912 ms, ratio 294", then
// how our time grew from 1,000 to 10,000 results (about 10x where the work is linear, also on the
// InfoSeek and Excite pages written against the one-pass preparations). Times are the thread's processor
// time: ours the median of repeated runs, the baseline's a single run.

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "bench/analyze_baseline.h"
#include "platform/core/text.h"
#include "position/core/analysis.h"
#include "position/core/enginerules.h"

namespace {

constexpr std::string_view kMine = "http://www.mine.com/";

// The address of result i: every seventh result is the site looked for, some carry a query.
std::string address(int i) {
    if (i % 7 == 3)
        return std::string(kMine);
    std::string a = "http://www.site" + std::to_string(i) + ".com/page" + std::to_string(i) + ".html";
    if (i % 5 == 0)
        a += "?from=" + std::to_string(i);
    return a;
}

std::string n(int i) {
    return std::to_string(i);
}

using PageMaker = std::function<std::string(int results)>;

std::string allTheWeb(int count) {
    std::string t = "<html><body><dl>\n";
    for (int i = 1; i <= count; ++i) {
        t += "<dt>" + n(i) + ".&nbsp;<a href=\"" + address(i) + "\">Title " + n(i) +
             "</a><br>Text of the result<br><span class=\"url\">" + address(i) + "</span><br><br>\n";
    }
    return t + "</dl></body></html>\n";
}

std::string altaVista(int count) {
    std::string t = "<html><body>\n";
    for (int i = 1; i <= count; ++i) {
        t += "<dl><dt><b class=txt2>" + n(i) + ".</b> <b><a href=\"" + address(i) + "\">Title " + n(i) +
             "</a></b><dd>Text of the result</dl>\n";
    }
    return t + "</body></html>\n";
}

std::string aol(int count) {
    std::string t =
        "<html><body>Sponsored <a href=\"http://ad.example/\" onmouseover=\"self.status='http://ad.example/';"
        "return true\">Ad</a>\nThe following results are from the World Wide Web and may contain "
        "objectionable material.<br>\n";
    for (int i = 1; i <= count; ++i) {
        t += "<a href=\"" + address(i) + "\" onmouseover=\"self.status='" + address(i) +
             "';return true\">Title " + n(i) + "</a><BR><I>" + address(i) + "</I><BR>\n";
    }
    return t + "</body></html>\n";
}

std::string dmoz(int count) {
    std::string t = "<html><body><ul>\n";
    for (int i = 1; i <= count; ++i) {
        t += "<li><a href=\"" + address(i) + "\">Title " + n(i) +
             "</a> - Text of the result<br><small><i>Top: "
             "Category</i></small>\n";
    }
    return t + "</ul></body></html>\n";
}

std::string excite(int count) {
    std::string t =
        "<html><body><A HREF=\"http://www.excite.com/relocate/sp=0;http://ad.example/\">Ad</A><ul>\n";
    for (int i = 1; i <= count; ++i) {
        t += "<li><A HREF=\"http://www.excite.com/relocate/sp=" + n(i) + ";" + address(i) + "\">Title " +
             n(i) + "</A> Text of the result</li><p>\n";
    }
    return t + "</ul></body></html>\n";
}

std::string directHit(int count) {
    std::string t = "<html><body>Results\n";
    for (int i = 1; i <= count; ++i) {
        t += "<FONT SIZE=\"-1\">" + n(i) + ". <A HREF=\"http://www.directhit.com/go?u=" + n(i) + "\">Title " +
             n(i) + "</A> Text</FONT><BR>\n" + address(i) + "<BR><BR>\n";
    }
    return t + "<TABLE BORDER=\"0\"><tr><td>Next</td></tr></TABLE></body></html>\n";
}

std::string google(int count) {
    std::string t = "<html><body>Results. Search took <b>0.08</b> seconds\n";
    for (int i = 1; i <= count; ++i) {
        t += "<p><A HREF=" + address(i) + ">Title " + n(i) +
             "</A><font size=-1><br>Text of the result</font>\n";
    }
    return t + "<p><center>Result Page</center></body></html>\n";
}

std::string infoSeek(int count) {
    std::string t = "<html><body><a href=\"/x\">Ungroup results</a></font></td></tr></table>\n";
    for (int i = 1; i <= count; ++i) {
        t += i % 2 ? "<p>\n" : "<br>\n";
        std::string link = address(i);
        if (i % 3 == 0)
            link = "/redirect?id=" + n(i) + "&u=http:" + link.substr(5);
        t += "<font face=\"Helvetica,Arial\" size=\"2\">" + n(i) + ". <b><a href=\"" + link + "\">Title " +
             n(i) + "</a></b><br>Text<br>Relevance: <font color=gray>90%</font>\n";
    }
    return t + "< Previous 10  &nbsp;|&nbsp;Next 10 > </body></html>\n";
}

std::string iWon(int count) {
    std::string t = "<html><body>\n";
    for (int block = 0; block < 2; ++block) {
        t += "<!--anchor for web sites-->\n";
        int from = block == 0 ? 1 : count - 9;
        for (int i = from; i <= (block == 0 ? count - 10 : count); ++i) {
            t += "<a href=\"http://www.iwon.com/go?redir=" + address(i) + "&id=" + n(i) + "\">Title " + n(i) +
                 "</a><br>\n";
        }
        t += "<!--End of framework header file-->\n<p>Sponsored</p>\n";
    }
    return t + "</body></html>\n";
}

std::string lycos(int count) {
    std::string t = "<html><body>" + n(count) +
                    " articles were found from a search for x.\n<OL class=ads><LI>Ad</LI></OL>\nLycos is a "
                    "registered trademark of Carnegie Mellon University.\n";
    for (int i = 1; i <= count; ++i) {
        if (i % 10 == 1)
            t += "<OL start=" + n(i) + ">\n";
        t += "<LI><a href=\"http://click.lycos.com/director.asp?id=" + n(i) + "&target=" + address(i) +
             "&query=x%20y+z\">Title " + n(i) + "</a> Text<br>of the result</LI>\n";
        if (i % 10 == 0 || i == count)
            t += "</OL>\n";
    }
    return t + "</body></html>\n";
}

std::string msn(int count) {
    std::string t = "<html><body>\n";
    for (int i = 1; i <= count; ++i) {
        t += "<SPAN CLASS=\"clsResultNumber\">" + n(i) + ".</SPAN> <A HREF=\"" + address(i) + "\">Title " +
             n(i) + "</A><BR><SPAN CLASS='clsResulturl'>" + address(i) +
             "</SPAN><BR><SPAN CLASS='clsResultAbstract'>Text</SPAN>\n";
    }
    return t + "</body></html>\n";
}

std::string northernLight(int count) {
    std::string t = "<html><body><a href=\"http://www.header.com/\">Header</a>\n";
    for (int i = 1; i <= count; ++i) {
        t += "<!--NLResultStart--><a href=\"" + address(i) + "\">Title " + n(i) +
             "</a> Text<!--NLResultEnd-->\n";
    }
    return t + "</body></html>\n";
}

std::string snap(int count) {
    std::string t =
        "<html><body><a href=\"http://www.snap.com/click?u=http://ad.example/=\">Ad</a><blockquote>\n";
    for (int i = 1; i <= count; ++i) {
        if (i % 2) {
            t += "<p>\n<font><a href=\"/slog?r=" + n(i) + "&u=" + address(i) + "\"><b>Title " + n(i) +
                 "</b></a></font><br>Text&nbsp;  " + address(i) + "<br>\n";
        } else {
            t += "<p>\nhttp://www.snap.com/click?u=" + address(i) + "&k=" + n(i) + "=\">Title " + n(i) +
                 "</a><br>Text&nbsp; " + address(i) + "<br>\n";
        }
    }
    return t + "</blockquote><br><p>Next page</body></html>\n";
}

std::string webCrawler(int count) {
    std::string t = "<html><body>Show summaries for these results.\n";
    for (int i = 1; i <= count; ++i) {
        if (i == count - 9)
            t += "For more comprehensive results, try again.\nSponsored for these results.\n";
        t += "<BR>&nbsp;&nbsp;&#149;&nbsp;<A HREF=" + address(i) + ">Title " + n(i) +
             "</A> Text of the result\n";
    }
    return t + "For more comprehensive results, try again.\n</body></html>\n";
}

std::string yahoo(int count) {
    std::string t = "<html><body><ul>\n";
    for (int i = 1; i <= count + 1; ++i) {
        t += "<LI><A HREF=\"" + address(i) + "\">Title " + n(i) + "</A> - Text of the result\n";
    }
    return t + "</ul></body></html>\n";
}

// Pages written against the one-pass preparations: a first redirect or relocation whose piece
// reaches over the next marker, then one distinct link per result. The worded loop rescans the
// whole page once per link on them.
std::string infoSeekReachingOver(int count) {
    std::string t =
        "<html><body><a href=\"/x\">Ungroup results</a></font></td></tr></table>\n"
        "/redirecta/redirectb//www\n";
    for (int i = 1; i <= count; ++i) {
        std::string link = "/redirect?id=" + n(i) + "&u=http:" + address(i).substr(5);
        t += std::string(i % 2 ? "<p>\n" : "<br>\n") + "<font face=\"Helvetica,Arial\" size=\"2\">" + n(i) +
             ". <b><a href=\"" + link + "\">Title " + n(i) +
             "</a></b><br>Text<br>Relevance: <font color=gray>90%</font>\n";
    }
    return t + "< Previous 10  &nbsp;|&nbsp;Next 10 > </body></html>\n";
}

std::string exciteReachingOver(int count) {
    std::string t = excite(count);
    constexpr std::string_view firstEnd = "</li><p>\n";
    t.insert(t.find(firstEnd) + firstEnd.size(),
             "<A HREF=\"http://www.excite.com/relocate/a\"><A "
             "HREF=\"http://www.excite.com/relocate/b;\">Ad</A>\n");
    return t;
}

struct Engine {
    std::string_view name;
    PageMaker page;
    bool rewrites;               // the rule numbers or rewrites its page
    std::string_view kind = "";  // what sets the page apart from the engine's usual one
};

const std::vector<Engine> kEngines = {
    {"AllTheWeb", allTheWeb, false},
    {"AltaVista", altaVista, false},
    {"AOL", aol, true},
    {"Dmoz", dmoz, true},
    {"Excite", excite, true},
    {"DirectHit", directHit, true},
    {"Google", google, true},
    {"InfoSeek", infoSeek, true},
    {"IWon", iWon, true},
    {"Lycos", lycos, true},
    {"MSN", msn, false},
    {"NorthernLight", northernLight, true},
    {"Snap", snap, true},
    {"WebCrawler", webCrawler, true},
    {"Yahoo", yahoo, true},
    {"InfoSeek", infoSeekReachingOver, true, " (a piece over a marker)"},
    {"Excite", exciteReachingOver, true, " (a piece over a marker)"},
};

// Processor time of this thread, so that other programs sharing the machine do not count.
double threadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double millisecondsOf(const std::function<void()>& work) {
    double start = threadMilliseconds();
    work();
    return threadMilliseconds() - start;
}

// The median of enough runs to fill about a fifth of a second (at least three).
double medianMilliseconds(const std::function<void()>& work) {
    std::vector<double> runs;
    double total = 0;
    while (runs.size() < 3 || (total < 200 && runs.size() < 200)) {
        runs.push_back(millisecondsOf(work));
        total += runs.back();
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

std::string figure(double ms) {
    char text[32];
    std::snprintf(text, sizeof text, ms < 10 ? "%.2f" : (ms < 100 ? "%.1f" : "%.0f"), ms);
    return text;
}

ReportGrid analyzedWith(const EngineRule& rule, const std::vector<ResultRow>& rows) {
    ReportGrid grid;
    grid.reset("01/01/2024");
    writeEngineBlock("cheap flights", kMine, "", rule.displayName, rows, {}, grid);
    return grid;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> only(argv + 1, argv + argc);
    // Profiling our side alone: --no-baseline skips the worded runs and their checks.
    bool withBaseline = std::erase(only, "--no-baseline") == 0;
    bool allSame = true;
    std::vector<std::string> growth;
    for (const Engine& engine : kEngines) {
        bool named = std::any_of(only.begin(), only.end(),
                                 [&](const std::string& o) { return equalsIgnoringCase(o, engine.name); });
        if (only.empty() ? !engine.rewrites : !named)
            continue;
        const EngineRule& rule = *findEngineRule(engine.name);
        double oursAt1000 = 0;
        for (int results : {1000, 10000}) {
            const std::string text = withCrLf(engine.page(results));
            std::vector<ResultRow> ours = resultRows(rule, text);
            std::vector<ResultRow> worded;
            double baselineMs = 0;
            if (withBaseline) {
                baselineMs = millisecondsOf([&] {
                    worded = baseline::resultRows(rule, text);
                    analyzedWith(rule, worded);
                });
            } else {
                worded = ours;
            }
            ReportGrid oursReport;
            oursReport.reset("01/01/2024");
            Analyze("cheap flights", kMine, "", text, engine.name, false, true, false, false, oursReport);
            if (ours != worded || oursReport.table() != analyzedWith(rule, worded).table() ||
                ours.size() < size_t(results) * 9 / 10) {
                std::printf("%s%s %d results: rows differ from the baseline (%zu rows, baseline %zu)\n",
                            std::string(rule.displayName).c_str(), std::string(engine.kind).c_str(), results,
                            ours.size(), worded.size());
                allSame = false;
                continue;
            }
            double oursMs = medianMilliseconds([&] {
                ReportGrid grid;
                grid.reset("01/01/2024");
                Analyze("cheap flights", kMine, "", text, engine.name, false, true, false, false, grid);
            });
            std::printf("%s%s %d results: ours %s ms, baseline %s ms, ratio %.0f\n",
                        std::string(rule.displayName).c_str(), std::string(engine.kind).c_str(), results,
                        figure(oursMs).c_str(), figure(baselineMs).c_str(), baselineMs / oursMs);
            std::fflush(stdout);
            if (results == 1000) {
                oursAt1000 = oursMs;
            } else {
                char line[200];
                std::snprintf(line, sizeof line,
                              "%s%s: 10x the results took %.1fx the time (%zu bytes of page, %zu rows)",
                              std::string(rule.displayName).c_str(), std::string(engine.kind).c_str(),
                              oursMs / oursAt1000, text.size(), ours.size());
                growth.push_back(line);
            }
        }
    }
    for (const std::string& line : growth)
        std::printf("%s\n", line.c_str());
    return allSame ? 0 : 1;
}
