#include <QDate>
#include <QLocale>
#include <iostream>

#include "apps/ranqor/commands.h"
#include "apps/ranqor/programsetup.h"
#include "apps/ranqor/reportoutput.h"
#include "platform/core/arguments.h"
#include "platform/core/programfolder.h"
#include "platform/core/safefile.h"
#include "position/core/analysis.h"
#include "position/core/reportgrid.h"
#include "position/core/resultpages.h"
#include "position/rulebook.h"

const char* const kAnalyzeUsage =
    "Usage: ranqor analyze --engine NAME --url ADDRESS --term TERM [--compare ADDRESS]\n"
    "                      [--domain] [--other-sites] [--top-ten] [--out FILE] PAGEFILE...\n"
    "\n"
    "Finds where ADDRESS ranks on saved result pages of an engine, without a network.\n"
    "The PAGEFILEs are joined in order, as a run joins an engine's result pages 1, 2 and 3,\n"
    "and read with the rule of the engine NAME (Google, Yahoo, AltaVista, ...): the file\n"
    "edata/NAME.rule of the program folder when there is one, else the built-in rule.\n"
    "\n"
    "  --engine NAME       the engine whose rule reads the pages\n"
    "  --url ADDRESS       the address looked for\n"
    "  --term TERM         the search term, for the report's heading and summary\n"
    "  --compare ADDRESS   also count the results of a second address\n"
    "  --domain            match every result on ADDRESS's host (default: the exact page)\n"
    "  --other-sites       list every result, marking the matches with *****\n"
    "  --top-ten           consider the first 10 results instead of 30\n"
    "  --out FILE          write the report as FILE: .prp, .csv or .html (default: CSV on stdout);\n"
    "                      its folder must exist, and it may not be one of the PAGEFILEs\n"
    "\n"
    "Exit status: 0 the report was written, 1 the engine has no rule or a file failed, 2 bad arguments.\n";

int analyzeCommand(const std::vector<std::string>& args, const char* argv0) {
    Arguments arguments(args, {{"engine", true},
                               {"url", true},
                               {"term", true},
                               {"compare", true},
                               {"domain"},
                               {"other-sites"},
                               {"top-ten"},
                               {"out", true}});
    const std::string engine = arguments.required("engine");
    const std::string url = arguments.required("url");
    const std::string term = arguments.required("term");
    if (arguments.positional().empty())
        throw UsageError("at least one PAGEFILE is required");
    std::optional<std::string> out = arguments.value("out");
    checkReportOutput(out, arguments.positional());

    std::vector<std::string> pages;
    for (const std::string& file : arguments.positional())
        pages.push_back(readFileBytes(file));

    ReportGrid report;
    report.reset(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString());
    RuleBook rules;
    rules.load(ProgramFolder(ranqorProgramFolder(argv0)), {engine});
    if (std::string skipped = rules.skipReason(engine); !skipped.empty()) {
        std::cerr << skipped << '\n';
        return 1;
    }
    std::vector<std::string> notes;
    const AnalysisOptions options{arguments.has("top-ten"), !arguments.has("domain"),
                                  arguments.has("other-sites"), arguments.has("compare")};
    std::optional<std::string> message =
        analyzeWith(rules.reader(engine), term, url, arguments.value("compare").value_or(""),
                    buildPageText(pages), engine, options, report, notes);
    for (const std::string& note : notes)
        std::cerr << engine << ": " << note << '\n';
    if (message) {
        std::cerr << *message << '\n';
        return 1;
    }
    writeReportOutput(report.table(), out);
    return 0;
}
