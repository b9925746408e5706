#include <iostream>

#include "apps/ranqor/commands.h"
#include "apps/ranqor/consoleview.h"
#include "apps/ranqor/programsetup.h"
#include "apps/ranqor/reportoutput.h"
#include "net/tickhttp.h"
#include "platform/consoleprompts.h"
#include "platform/core/arguments.h"
#include "platform/core/programfolder.h"
#include "platform/core/safefile.h"
#include "platform/core/settingsstore.h"
#include "platform/core/text.h"
#include "platform/pacer.h"
#include "position/core/ranqorfolder.h"
#include "position/core/ranqorsettings.h"
#include "position/core/resultpages.h"
#include "position/core/termlist.h"
#include "position/positionagent.h"
#include "sitetools/core/filelist.h"
#include "sitetools/proxyapply.h"

const char* const kCheckUsage =
    "Usage: ranqor check --url ADDRESS (--terms FILE.tms | --term TERM...) --engines NAME[,NAME...]\n"
    "                    [--compare ADDRESS] [--domain] [--other-sites] [--top-ten]\n"
    "                    [--timeout SECONDS] [--out FILE]\n"
    "\n"
    "Runs the position agent as the window's Check Position does, with the program folder's\n"
    "engine definitions and the stored proxy. Progress and the activity monitor's lines go to\n"
    "standard error.\n"
    "\n"
    "  --url ADDRESS       the page, sub-web or domain to look for\n"
    "  --terms FILE.tms    check every term of a term file\n"
    "  --term TERM         a term to check (repeat for several)\n"
    "  --engines NAMES     engine names separated by commas, as in the engine list; each needs its\n"
    "                      definition files in the program folder's edata\n"
    "  --compare ADDRESS   also count the results of a second address\n"
    "  --domain            match every result on ADDRESS's host (default: the exact page)\n"
    "  --other-sites       list every result, marking the matches with *****\n"
    "  --top-ten           consider the first 10 results instead of 30\n"
    "  --timeout SECONDS   longest time one page may take, 1 to 86400 (default 60)\n"
    "  --out FILE          write the report as FILE: .prp, .csv or .html (default: CSV on stdout);\n"
    "                      its folder must exist, and it may not be an input file\n"
    "\n"
    "A fetch that fails is logged with its cause (the component's code and text) and address, and\n"
    "its engine's page counts as one without results.\n"
    "\n"
    "Exit status: 0 the run completed (whatever the engines answered), 1 it could not start (a\n"
    "missing program folder, term file or engine definition) or its report could not be written,\n"
    "2 bad arguments.\n";

const char* const kBatchUsage =
    "Usage: ranqor batch --list FILE.fls (--terms FILE.tms | --term TERM...) --engines NAME[,NAME...]\n"
    "                    [--timeout SECONDS] [--out FILE]\n"
    "\n"
    "Runs the position agent for every address of a web file list, all into one report that\n"
    "starts with the same report line as ranqor check's, with precise matching. Options as for\n"
    "ranqor check.\n"
    "\n"
    "Exit status: 0 the batch completed, 1 it could not start, 2 bad arguments.\n";

namespace {

std::vector<std::string> termsOf(const Arguments& arguments) {
    if (arguments.has("terms") == arguments.has("term"))
        throw UsageError("give either --terms or --term");
    if (arguments.has("term")) {
        for (const std::string& term : arguments.values("term")) {
            if (trimText(term).empty())
                throw UsageError("--term needs a term, not a blank");
        }
        return arguments.values("term");
    }
    const std::string file = *arguments.value("terms");
    TermList list;
    std::string bytes;
    try {
        bytes = readFileBytes(file);
    } catch (const FileError&) {
        throw TermFileError("File " + file + " not found");
    }
    list.readTermFile(bytes, file);
    list.setAllMarks(true);
    return list.markedCaptions();
}

// A run that cannot query an engine would only report "no matches" for it; it does not start.
bool definitionsReadable(const ProgramFolder& folder, const std::vector<std::string>& engines,
                         const std::string& who) {
    const std::vector<std::string> unreadable = PositionAgent::unreadableDefinitions(folder, engines);
    for (const std::string& line : unreadable)
        std::cerr << who << ": " << line << '\n';
    return unreadable.empty();
}

int run(const std::vector<std::string>& args, const char* argv0, bool batch) {
    std::vector<OptionRule> rules = {
        {"terms", true}, {"term", true, true}, {"engines", true}, {"timeout", true}, {"out", true}};
    if (batch) {
        rules.push_back({"list", true});
    } else {
        for (OptionRule rule : {OptionRule{"url", true}, OptionRule{"compare", true}, OptionRule{"domain"},
                                OptionRule{"other-sites"}, OptionRule{"top-ten"}}) {
            rules.push_back(rule);
        }
    }
    Arguments arguments(args, rules);
    if (!arguments.positional().empty())
        throw UsageError("unexpected argument " + arguments.positional().front());
    const std::string address = batch ? "" : arguments.required("url");
    std::vector<std::string> engines = arguments.nameList("engines");
    for (const std::string& engine : engines) {
        if (std::string refusal = engineNameRefusal(engine); !refusal.empty())
            throw UsageError(refusal);
    }
    const int timeout = arguments.integer("timeout", 60, 1, 86400);
    std::optional<std::string> out = arguments.value("out");
    std::vector<std::string> inputs;
    for (const char* input : {"terms", "list"}) {
        if (std::optional<std::string> file = arguments.value(input))
            inputs.push_back(*file);
    }
    checkReportOutput(out, inputs);

    const std::string who = batch ? "ranqor batch" : "ranqor check";
    std::vector<std::string> terms = termsOf(arguments);
    std::vector<std::string> addresses;
    if (batch)
        addresses = readFileList(arguments.required("list"));

    AnalysisOptions options;
    options.precise = batch || !arguments.has("domain");
    options.otherSites = arguments.has("other-sites");
    options.topTen = arguments.has("top-ten");
    options.compare = arguments.has("compare");

    ProgramFolder folder(ranqorProgramFolder(argv0));
    if (std::optional<std::string> missing = missingRanqorFolder(folder.root())) {
        std::cerr << who << ": " << *missing << '\n';
        return 1;
    }
    if (!definitionsReadable(folder, engines, who))
        return 1;
    SettingsStore store(SettingsStore::defaultFile());
    TickHTTP http;
    TickHTTPS https;
    for (TickHTTP* search : {&http, static_cast<TickHTTP*>(&https)}) {
        search->setUseCache(false);
        search->setUserAgent("Redore Web Browser (1.1 W32)");
        search->setTimeout(timeout);
        applyRanqorProxy(store, *search);
        search->setBodyLimit(resultPageLimit(store));
    }

    ConsolePrompts prompts(std::cerr);
    QtPacer pacer;
    ReportGrid report;
    TemplateVariables variables;
    ConsoleView view(std::cerr, address, arguments.value("compare").value_or(""), options);
    PositionAgent agent({http, folder, prompts, pacer, report, variables, terms, engines, view, &https});
    if (batch) {
        // The window's batch leaves the header row empty; a file of its own reads better with the
        // same first line as a single check's.
        report.reset(view.shortDate());
        if (agent.batch(addresses) != PositionAgent::Outcome::Completed)
            return 1;
        report.writeHeader(view.shortDate());
    } else if (agent.submitClick() != PositionAgent::Outcome::Completed) {
        return 1;
    }
    writeReportOutput(report.table(), out);
    return 0;
}

}  // namespace

int checkCommand(const std::vector<std::string>& args, const char* argv0) {
    return run(args, argv0, false);
}

int batchCommand(const std::vector<std::string>& args, const char* argv0) {
    return run(args, argv0, true);
}
