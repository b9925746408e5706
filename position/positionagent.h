#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/core/definitionfile.h"
#include "position/core/reportgrid.h"
#include "position/rulebook.h"

class Pacer;
class PositionRunView;
class ProgramFolder;
class Prompts;
class TickHTTP;
class TickHTTPS;
class TickWinInet;

// The position agent: for every selected engine and term it builds the query from the engine's
// definition files, downloads the result pages, joins them and lets the analysis write the
// engine's block into the report. It runs on the window's thread and stays responsive by letting
// the window process its events at fixed points; Cancel stops it through a flag it tests at its
// checkpoints.
class PositionAgent {
public:
    struct Context {
        TickHTTP& http;
        ProgramFolder& folder;
        Prompts& prompts;
        Pacer& pacer;
        ReportGrid& report;
        TemplateVariables& variables;
        // The program-wide selected terms and engines, owned by the main window; Cancel empties
        // them while the run walks them.
        std::vector<std::string>& terms;
        std::vector<std::string>& engines;
        PositionRunView& view;
        // Fetches the https addresses, configured as http is; without it they fail as they do on
        // a plain component.
        TickHTTPS* secureHttp = nullptr;
    };

    enum class Outcome { NotStarted, Completed, Cancelled };

    // Binds the HTTP component's transfer events to this agent.
    explicit PositionAgent(Context context);

    // One run for the address in the address box.
    Outcome submitClick();
    // One run for every address of a web file list, all into one report. The caller has checked
    // precise matching and chosen the list.
    Outcome batch(const std::vector<std::string>& addresses);

    // A line per definition file a run of these engines would read and cannot:
    // "Cannot read engine definition ", the path and the reason. Empty when all can be read.
    static std::vector<std::string> unreadableDefinitions(const ProgramFolder& folder,
                                                          const std::vector<std::string>& engines);

    // Sets the cancel flag; the run stops at its next checkpoint and an HTTP event in progress
    // performs Restart Wizard. The window does the rest of its Cancel action.
    void cancel() { m_cancelled = true; }
    bool cancelled() const { return m_cancelled; }

    void geturlStartTransfer(TickWinInet* sender);
    void geturlTransfer(TickWinInet* sender, int bytes, const std::string& text);
    void geturlStatus(TickWinInet* sender, int code, const std::string& description);
    void geturlHeader(const std::string& field, const std::string& value);
    void geturlEndTransfer(TickWinInet* sender);

private:
    struct Wording {
        const char* phase;   // panel 2 while the run initialises
        const char* detail;  // panel 3 after it
    };

    bool checkSelections();
    bool runBody(const Wording& wording);
    bool termStep(const std::string& engine, const std::string& term);
    // Reads page's definition of engine; an unreadable file or a broken template is logged, and
    // a broken template gives no value (the term is skipped).
    std::optional<EngineDefinition> readDefinition(const std::string& engine, int page);
    // Fetches address, with the definition's header fields, into the result file; a failure is
    // logged with its cause and never thrown.
    void fetch(const std::string& address, const std::vector<std::string>& headers,
               const std::string& resultFile);
    void bindEvents(TickHTTP& http);
    bool stopped() const;
    // The event handlers' reaction to a set cancel flag; true when it was set.
    bool cancelledInEvent();
    void pause(int milliseconds);

    Context m_c;
    RuleBook m_rules;
    TickHTTP* m_current;  // the component of the fetch under way or last made
    bool m_cancelled = false;
    std::string m_address;  // the address this run checks
};
