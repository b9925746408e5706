#include <iostream>

#include "apps/ranqor/commands.h"
#include "apps/ranqor/programsetup.h"
#include "platform/core/arguments.h"
#include "platform/core/programfolder.h"
#include "position/core/historytable.h"
#include "position/core/ranqorfolder.h"
#include "position/historystore.h"

const char* const kHistoryUsage =
    "Usage: ranqor history --url ADDRESS [--term TERM] [--engine NAME] [--since DATE]\n"
    "                      [--format table|csv|json]\n"
    "       ranqor history --list\n"
    "       ranqor history\n"
    "\n"
    "Prints what the rank history of the program folder (history/ranqor.sqlite) holds: every\n"
    "completed check of ranqor check, ranqor batch and the window, unless recording is switched\n"
    "off. Without options it opens the history window, which needs a display.\n"
    "\n"
    "  --url ADDRESS     the checks of this address, oldest first, as it was checked\n"
    "  --term TERM       only this term\n"
    "  --engine NAME     only this engine\n"
    "  --since DATE      only checks from this day on (YYYY-MM-DD, UTC)\n"
    "  --format FORMAT   table (default), csv or json\n"
    "  --list            the recorded addresses, one a line\n"
    "\n"
    "Each check has its outcome: ranked, not-ranked (results without the address), no-results\n"
    "(the engine listed nothing), unreadable (the page held none of the rule's markers: blocked,\n"
    "a captcha or a changed layout) or failed (the fetch failed; the component's error code is\n"
    "given). Times are UTC.\n"
    "\n"
    "Exit status: 0 the history was read, 1 it could not be read, 2 bad arguments.\n";

int historyCommand(const std::vector<std::string>& args, const char* argv0) {
    Arguments arguments(
        args, {{"url", true}, {"term", true}, {"engine", true}, {"since", true}, {"format", true}, {"list"}});
    if (!arguments.positional().empty())
        throw UsageError("unexpected argument " + arguments.positional().front());
    const bool list = arguments.has("list");
    if (list == arguments.has("url"))
        throw UsageError("give either --url or --list");
    if (list) {
        for (const char* option : {"term", "engine", "since", "format"}) {
            if (arguments.has(option))
                throw UsageError(std::string("--list takes no --") + option);
        }
    }
    HistoryFilter filter;
    filter.term = arguments.value("term").value_or("");
    filter.engine = arguments.value("engine").value_or("");
    if (std::optional<std::string> since = arguments.value("since")) {
        std::optional<long long> day = parseDate(*since);
        if (!day)
            throw UsageError("--since takes a date as YYYY-MM-DD, not " + *since);
        filter.since = *day;
    }
    const std::string formatName = arguments.value("format").value_or("table");
    const std::optional<HistoryFormat> format = historyFormatFromName(formatName);
    if (!format)
        throw UsageError("--format is table, csv or json, not " + formatName);

    ProgramFolder folder(ranqorProgramFolder(argv0));
    if (std::optional<std::string> missing = missingRanqorFolder(folder.root())) {
        std::cerr << "ranqor history: " << *missing << '\n';
        return 1;
    }
    try {
        HistoryStore store(folder.resolve("history\\ranqor.sqlite"));
        if (list) {
            for (const std::string& address : store.addresses())
                std::cout << address << '\n';
            return 0;
        }
        const std::string address = arguments.required("url");
        const std::vector<HistoryPoint> points = store.points(address, filter);
        if (points.empty())
            std::cerr << "ranqor history: no checks of " << address << " are recorded\n";
        std::cout << formatHistory(points, *format);
    } catch (const HistoryError& e) {
        std::cerr << "ranqor history: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
