#pragma once

#include <string>
#include <vector>

#include "platform/core/runview.h"

// What a submission run shows and reads while it goes, besides the status bar and the activity
// monitor: the fields of step 5 "Submit to Engines" and the controls a run locks, or a terminal.
class SubmissionRunView : public RunView {
public:
    enum class Bar { Files, Engines, Overall };  // "File(s)", "Engines", "Overall"
    enum class StatusRow { File, Proj };         // the current page, the whole run
    enum class StatusColumn { ToSubmit, Success, Fail };

    virtual void setBar(Bar bar, int percent) = 0;
    virtual void setTotalFilesSelected(const std::string& text) = 0;
    virtual void setTotalEnginesSelected(const std::string& text) = 0;
    virtual void setProcessingStep(const std::string& text) = 0;
    virtual void setFileCounter(const std::string& text) = 0;
    virtual void setFileAddress(const std::string& text) = 0;
    virtual void setEngineCounter(const std::string& text) = 0;
    virtual void setEngineName(const std::string& text) = 0;
    virtual void setStatusField(StatusRow row, StatusColumn column, const std::string& text) = 0;
    // Running: "Submit Now", "Submission Settings" and the File, Tools and History menus
    // disabled, "Cancel Submission" enabled; and back.
    virtual void setRunControls(bool running) = 0;

    // The window's part of preparing step 5 for a run: show step 5 and make it current, and fill
    // the selected-engine list from the ticks of step 4.
    virtual void showStepFive() = 0;
    virtual void rebuildSelectedEngines() = 0;
    // The rows of step 2's page list and the items of step 4's engine list, ticked or not.
    virtual int fileListRows() const = 0;
    virtual int engineListItems() const = 0;

    // The submission report window with these lines as its text, shown modally.
    virtual void showReport(const std::vector<std::string>& lines) = 0;
};
