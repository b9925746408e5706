#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/definitionfile.h"
#include "submission/core/history.h"

struct ActiveProject;
class Pacer;
class ProgramFolder;
class Prompts;
class SubmissionRunView;
class TickHTTP;
class TickHTTPS;
class TickWinInet;
class Watchdog;
struct SubmissionDefinition;
struct SubmissionProfile;

// The settings every submission request goes out with, plain or secure: no cached answers, the
// tool's own user agent. Proxy, user and password come from the program settings.
void prepareSubmissionComponent(TickHTTP& geturl);

// The submission run: every page of ActiveFiles to every selected engine, one request per pair
// built from the engine's definition, each judged by its exact status line, counted and logged;
// the log of a completed run becomes its history file. It runs on the window's thread and keeps
// the window alive by letting it process its events at fixed points; Cancel stops it by emptying
// the selected-engine list, which the run tests before and after each pair and after each page.
class SubmissionRun {
public:
    struct Context {
        // Send the requests, geturl those to http addresses and geturlSecure those to https ones,
        // with the server's certificate verified; the start and end of transfer of both are bound
        // to the run while it goes.
        TickHTTP& geturl;
        TickHTTPS& geturlSecure;
        // Every HTTP component of the window, the two above among them: Cancel sets each one idle.
        std::vector<TickHTTP*> components;
        ProgramFolder& folder;
        Prompts& prompts;
        Pacer& pacer;
        Watchdog& watchdog;
        TemplateVariables& variables;
        const ActiveProject& project;
        // The program-wide lists, owned by the window: the ticked pages and the selected engines.
        std::vector<std::string>& activeFiles;
        std::vector<std::string>& engines;
        SubmissionRunView& view;
        // The end of a run names its history file.
        std::function<LocalTime()> clock = currentLocalTime;
    };

    enum class Outcome { NotStarted, Completed, Cancelled };

    // Binds the watchdog's tick to this run.
    explicit SubmissionRun(Context context);
    ~SubmissionRun();
    SubmissionRun(const SubmissionRun&) = delete;
    SubmissionRun& operator=(const SubmissionRun&) = delete;

    // "Submit Now": the whole run, ending in the report question and a step 5 reset, or in the
    // cancel cleanup when the selected-engine list is empty at the start or after a stop.
    Outcome submitClick();
    // "Cancel Submission": sets the HTTP components idle and empties the selected-engine list.
    void cancelClick();
    // Prepares step 5's display for a run (also step 4's Next); refused while a run goes.
    bool stepFiveReset();
    // "Submission Settings": the pre-submission report in the report window.
    void verifyClick();

    // From the start of Submit to its end, events included.
    bool running() const { return m_running; }
    // For every handler that would rebuild ActiveFiles or the selected engines (the Next buttons
    // of steps 2 and 4, and the like): while a run goes it tells the user why nothing happens and
    // returns true, so the run never reads a list that changed under it.
    bool refuseListChange();

    // What the activity monitor holds since the run's start.
    const std::vector<std::string>& activityLog() const { return m_log; }
    // The history file of the last completed run; none after a cancel or a failed write.
    const std::optional<std::filesystem::path>& historyFile() const { return m_historyFile; }

    void geturlStartTransfer(TickWinInet* sender);
    void geturlEndTransfer(TickWinInet* sender);
    void watchdogTimer();

private:
    struct Counters {
        int pagesInRun = 0;
        int pairsTotal = 0;
        int pairsRemaining = 0;
        int pairsDone = 0;
        int runSuccess = 0;
        int runFail = 0;
        int pageSuccess = 0;
        int pageFail = 0;
    };
    class Binding;

    bool stopped() const;
    void resetStepFive();
    std::optional<SubmissionProfile> readProfile();
    void startCounters(int pages, int engines);
    bool submitPage(int number, const SubmissionProfile& profile);
    bool submitPair(const std::string& address, int number, int engineCount, const SubmissionProfile& profile,
                    int& remainingForPage);
    void send(const SubmissionDefinition& definition);
    void complete();
    void writeHistory();
    void cancelCleanup();
    void log(const std::string& line);
    void clearLog();
    void settle();

    Context m_c;
    bool m_running = false;
    Counters m_n;
    // The component of the request under way, and how its answer is judged.
    TickHTTP* m_current = nullptr;
    std::vector<int> m_successCodes;
    bool m_accepted = false;
    std::vector<std::string> m_log;
    std::optional<std::filesystem::path> m_historyFile;
};
