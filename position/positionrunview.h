#pragma once

#include <string>

#include "platform/core/runview.h"
#include "position/core/analysis.h"

// What a position run shows and reads while it goes, besides the status bar and the activity
// monitor: the check page's fields and check boxes, or a terminal.
class PositionRunView : public RunView {
public:
    virtual void focusActivity() = 0;
    virtual void setStepField(const std::string& text) = 0;
    virtual void setEngineName(const std::string& text) = 0;
    virtual void setEngineCounter(const std::string& text) = 0;
    virtual void setProgress(int percent) = 0;
    // Running: "Check Position" and the File menu disabled, "Cancel" enabled; and back.
    virtual void setRunControls(bool running) = 0;

    // The address box, the compare box and the check boxes as they stand at this moment.
    virtual std::string addressText() const = 0;
    virtual void setAddressText(const std::string& text) = 0;
    virtual std::string compareText() const = 0;
    virtual AnalysisOptions options() const = 0;

    // The system's short date, for the report's header cell.
    virtual std::string shortDate() const = 0;
    // The analysis has written into the report grid.
    virtual void reportChanged() = 0;

    // The main window's step-2 Next action (it refreshes the step-3 counters).
    virtual void stepTwoNext() = 0;
    // Shows the "Review your results" tab and the "Results" menu and makes that tab active.
    virtual void showResults() = 0;
    // The main window's Restart Wizard action.
    virtual void restartWizard() = 0;
};
