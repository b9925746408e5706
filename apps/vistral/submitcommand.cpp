#include <algorithm>
#include <iostream>

#include "apps/vistral/commands.h"
#include "apps/vistral/programsetup.h"
#include "net/tickhttp.h"
#include "pageprep/core/folderfiles.h"
#include "pageprep/core/projectlists.h"
#include "pageprep/core/workfiles.h"
#include "platform/consoleprompts.h"
#include "platform/core/arguments.h"
#include "platform/core/commandline.h"
#include "platform/core/enginelist.h"
#include "platform/core/gridfile.h"
#include "platform/core/programfolder.h"
#include "platform/core/safefile.h"
#include "platform/core/settingsstore.h"
#include "platform/core/text.h"
#include "platform/interruptnotifier.h"
#include "platform/pacer.h"
#include "sitetools/proxyapply.h"
#include "submission/core/catalog.h"
#include "submission/core/projects.h"
#include "submission/submissionrun.h"
#include "submission/submissionrunview.h"
#include "submission/watchdog.h"

const char* const kSubmitUsage =
    "Usage: vistral submit --project NAME [--list LIST | --page ENTRY...] --engines NAME[,NAME...]\n"
    "                      [--timeout SECONDS]\n"
    "\n"
    "Submits every page to every engine, one request per pair, as the window's Submit Now does:\n"
    "with the project's profile, the stored proxy and the same pauses (half a second after each\n"
    "request). Each line of the activity monitor goes to standard output as it is logged; what the\n"
    "window shows in a message box goes to standard error, and its question whether to view the\n"
    "report is answered No. A completed run writes its history file into the program folder's\n"
    "history folder and names it on standard error. Ctrl-C cancels the run as Cancel Submission\n"
    "does, and a cancelled run writes no history.\n"
    "\n"
    "  --project NAME     the project, as vistral projects lists it\n"
    "  --list LIST        the pages of the project's list LIST, in file order (default: the list\n"
    "                     named like the project)\n"
    "  --page ENTRY       a page entry, instead of a list (repeat for several, in the order given)\n"
    "  --engines NAMES    names of the engine catalog separated by commas, in the order to submit\n"
    "  --timeout SECONDS  longest time an engine may take to send the rest of its answer once it\n"
    "                     has begun, 1 to 86400 (default: the timeout setting, else 60)\n"
    "\n"
    "Exit status: 0 the run completed (whatever the engines answered), 1 it could not start, was\n"
    "cancelled, or its history file could not be written, 2 bad arguments.\n";

const char* const kVerifyUsage =
    "Usage: vistral verify --project NAME [--list LIST | --page ENTRY...] --engines NAME[,NAME...]\n"
    "\n"
    "Prints the pre-submission report on standard output, as the window's Submission Settings\n"
    "shows it: the project, the submitter, and every page with the engines vistral submit would\n"
    "send it to, the values that would stop the run marked. Sends nothing. Options as for vistral\n"
    "submit.\n"
    "\n"
    "Exit status: 0 the report was written, 1 it could not be made, 2 bad arguments.\n";

namespace {

// What the command is asked to submit, read and checked before anything is sent.
struct Job {
    ActiveProject project;
    std::vector<std::string> pages;
    int listRows = 0;
    std::vector<std::string> engines;
    int catalogSize = 0;
};

// A reason the job cannot start; the command reports it and ends with status 1.
class CannotStart : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The run on a terminal: the activity log and the report go to standard output; step 5's fields,
// the status bar and the cursor have no place there.
class ConsoleSubmissionView : public SubmissionRunView {
public:
    ConsoleSubmissionView(std::vector<std::string>& selected, const Job& job)
        : m_selected(selected), m_job(job) {}

    void setStatusPanel(int, const std::string&) override {}
    void clearActivity() override {}
    void addActivity(const std::string& line) override { writeStandardOutput(line + "\n"); }
    void setBusyCursor(bool) override {}
    void setBar(Bar, int) override {}
    void setTotalFilesSelected(const std::string&) override {}
    void setTotalEnginesSelected(const std::string&) override {}
    void setProcessingStep(const std::string&) override {}
    void setFileCounter(const std::string&) override {}
    void setFileAddress(const std::string&) override {}
    void setEngineCounter(const std::string&) override {}
    void setEngineName(const std::string&) override {}
    void setStatusField(StatusRow, StatusColumn, const std::string&) override {}
    void setRunControls(bool) override {}
    void showStepFive() override {}
    // The command's engines are what step 4's ticks are to the window.
    void rebuildSelectedEngines() override { m_selected = m_job.engines; }
    int fileListRows() const override { return m_job.listRows; }
    int engineListItems() const override { return m_job.catalogSize; }
    void showReport(const std::vector<std::string>& lines) override {
        for (const std::string& line : lines)
            writeStandardOutput(line + "\n");
    }

private:
    std::vector<std::string>& m_selected;
    const Job& m_job;
};

Arguments parseArguments(const std::vector<std::string>& args, bool submit) {
    std::vector<OptionRule> rules = {
        {"project", true}, {"list", true}, {"page", true, true}, {"engines", true}};
    if (submit)
        rules.push_back({"timeout", true});
    Arguments arguments(args, rules);
    if (!arguments.positional().empty())
        throw UsageError("unexpected argument " + arguments.positional().front());
    if (std::optional<std::string> problem = fileNameProblem(arguments.required("project")))
        throw UsageError("--project: " + *problem);
    if (arguments.has("list") && arguments.has("page"))
        throw UsageError("give either --list or --page");
    if (std::optional<std::string> list = arguments.value("list")) {
        if (std::optional<std::string> problem = fileNameProblem(*list))
            throw UsageError("--list: " + *problem);
    }
    for (const std::string& page : arguments.values("page")) {
        // The entries the page list would show no row for are no pages.
        if (!sortsAfterBlank(page))
            throw UsageError("--page needs a page entry, not a blank");
    }
    if (arguments.nameList("engines").empty())
        throw UsageError("--engines needs at least one engine name");
    return arguments;
}

std::string projectNamed(const ProgramFolder& folder, const std::string& name) {
    std::optional<std::string> project;
    try {
        project = findProject(folder, name);
    } catch (const DirectoryError& e) {
        throw CannotStart(e.what());
    }
    if (!project)
        throw CannotStart("there is no project " + name);
    return *project;
}

// The entries that get a row in step 2, every one of them ticked.
std::vector<std::string> pagesOfList(const ProgramFolder& folder, const std::string& project,
                                     const std::string& list, int& rows) {
    WorkFiles files;
    try {
        files.load(ProjectFileLists(folder, project).read(list));
    } catch (const FileError& e) {
        throw CannotStart(e.what());
    }
    rows = static_cast<int>(files.rows().size());
    if (rows == 0)
        throw CannotStart("the list " + list + " of the project " + project + " has no pages");
    files.setAllTicked(true);
    return files.activeFiles();
}

std::vector<std::string> catalogEngines(const ProgramFolder& folder, const std::vector<std::string>& names,
                                        int& catalogSize) {
    EngineList catalog;
    try {
        catalog.load(folder.resolve(kCatalogFile));
    } catch (const GridFileError& e) {
        throw CannotStart(e.what());
    }
    catalogSize = catalog.size();
    std::vector<std::string> engines;
    for (const std::string& name : names) {
        auto entry = std::find_if(catalog.entries().begin(), catalog.entries().end(),
                                  [&](const EngineEntry& e) { return equalsIgnoringCase(e.name, name); });
        if (entry == catalog.entries().end())
            throw UsageError("--engines: " + name + " is no engine of the catalog");
        // The catalog's spelling is the key of the engine's definition and category vocabulary.
        engines.push_back(entry->name);
    }
    return engines;
}

Job readJob(const Arguments& arguments, const ProgramFolder& folder, const SettingsStore& store) {
    Job job;
    job.engines = catalogEngines(folder, arguments.nameList("engines"), job.catalogSize);
    job.project.name = projectNamed(folder, arguments.required("project"));
    if (arguments.has("page")) {
        job.pages = arguments.values("page");
        job.listRows = static_cast<int>(job.pages.size());
    } else {
        job.pages = pagesOfList(folder, job.project.name, arguments.value("list").value_or(job.project.name),
                                job.listRows);
    }
    StoredProjectSettings stored;
    try {
        stored = readProjectSettings(store, job.project.name);
    } catch (const SettingsError& e) {
        throw CannotStart(e.what());
    }
    // A missing web path stops the run with the window's own message.
    job.project.webPath = stored.webPath.value_or("");
    job.project.webType = webTypeFromText(stored.webType.value_or("1"));
    job.project.category = stored.category.value_or("");
    return job;
}

// The window's timeout setting for the watchdog, and its proxy for the components.
int applySettings(SettingsStore& store, const std::vector<TickHTTP*>& components,
                  const Arguments& arguments) {
    int watchdog = kDefaultWatchdogInterval;
    try {
        applyVistralSettings(store, components, watchdog);
    } catch (const std::exception& e) {
        throw CannotStart(std::string("the settings could not be applied: ") + e.what());
    }
    if (arguments.has("timeout"))
        watchdog = arguments.integer("timeout", 60, 1, 86400) * 1000;
    return watchdog;
}

int run(const std::vector<std::string>& args, const char* argv0, bool submit) {
    const std::string who = submit ? "vistral submit" : "vistral verify";
    const Arguments arguments = parseArguments(args, submit);
    if (submit)
        arguments.integer("timeout", 60, 1, 86400);  // a bad value is a bad argument, before anything else

    ProgramFolder folder(vistralProgramFolder(argv0));
    SettingsStore store(SettingsStore::defaultFile());
    ConsolePrompts prompts(std::cerr);
    TickHTTP geturl;
    prepareSubmissionComponent(geturl);
    TickHTTPS geturlSecure;
    prepareSubmissionComponent(geturlSecure);
    QtWatchdog watchdog;
    Job job;
    try {
        job = readJob(arguments, folder, store);
        if (submit)
            watchdog.setInterval(applySettings(store, {&geturl, &geturlSecure}, arguments));
    } catch (const CannotStart& e) {
        std::cerr << who << ": " << e.what() << '\n';
        return kExitFailure;
    }

    QtPacer pacer;
    TemplateVariables variables;
    std::vector<std::string> activeFiles = job.pages;
    std::vector<std::string> engines;
    ConsoleSubmissionView view(engines, job);
    SubmissionRun submission({geturl,
                              geturlSecure,
                              {&geturl, &geturlSecure},
                              folder,
                              prompts,
                              pacer,
                              watchdog,
                              variables,
                              job.project,
                              activeFiles,
                              engines,
                              view});
    // As in the window, step 4's Next prepares step 5 before its Submit or Verify.
    submission.stepFiveReset();
    if (!submit) {
        submission.verifyClick();
        return kExitSuccess;
    }
    InterruptNotifier interrupt([&submission] { submission.cancelClick(); });
    if (submission.submitClick() != SubmissionRun::Outcome::Completed)
        return kExitFailure;
    if (!submission.historyFile())
        return kExitFailure;  // the error that names the file has been shown
    std::cerr << "History file: " << submission.historyFile()->string() << '\n';
    return kExitSuccess;
}

}  // namespace

int submitCommand(const std::vector<std::string>& args, const char* argv0) {
    return run(args, argv0, true);
}

int verifyCommand(const std::vector<std::string>& args, const char* argv0) {
    return run(args, argv0, false);
}
