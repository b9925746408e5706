// Step 3 of the submission tool's window: the readiness check and moving on to step 4.

#include <QPlainTextEdit>

#include "pageprep/core/projectlists.h"
#include "pageprep/core/readinesscheck.h"
#include "pageprep/core/readinessreport.h"
#include "pageprep/pagesource.h"
#include "pageprep/readinesspage.h"
#include "pageprep/reportwindow.h"
#include "pageprep/workfilespage.h"
#include "platform/core/safefile.h"
#include "platform/pacer.h"
#include "platform/prompts.h"
#include "submission/mainwindow.h"

namespace {

const char* const kNoWebPath =
    "Cannot Perform Analysis: [No Base Web Path Exists!], To create a base Web Path:\r\r\r"
    "   1. Click on your project and Press the Properties Button\r"
    "   2. Type In a Web Path in the space provided\r"
    "   3. Save the settings by Clicking on the Save Button\r"
    "   4. Reselect the project by Double-Clicking on it\r"
    "   5. Then Continue with your web site promotion tasks.\r\r"
    "The Help | Getting Started Selection from the main menu provides a complete getting started guide";

}  // namespace

void TForm1::readinessCheckClick() {
    if (m_project.webPath.empty()) {
        m_prompts.error(kNoWebPath);
        return;
    }
    if (m_activeFiles.size() >= 2) {
        m_prompts.information(
            "Cannot run analysis on multiple files, Please select a single file if you wish to run the "
            "analysis feature.");
        return;
    }
    m_readinessPage->clearValues();
    const std::string entry = m_activeFiles.empty() ? std::string() : m_activeFiles.front();
    PageSource source(m_folder, *m_GETURL2, *m_geturls);
    if (!readReadinessPage(entry, source))
        return;

    setBusyCursor(true);
    // The body is counted in the page as read, never fetched a second time.
    const std::optional<std::string> page = source.reread(m_project, entry);
    if (!page) {
        m_prompts.error(CouldNotLoadFileMessage);
        setBusyCursor(false);
        return;
    }
    const ReadinessPage& step = *m_readinessPage;
    m_form5->setLines(
        buildReadinessReport(step.valueText(step.Memo5()), step.valueText(step.Memo4()), *page));
    m_runModal(*m_form5);
    setBusyCursor(false);
}

bool TForm1::readReadinessPage(const std::string& entry, PageSource& source) {
    if (entry < std::string(" ")) {
        // Nothing was ever ticked: there is no page, and no earlier copy may stand in for one.
        m_prompts.error("No File Selected.");
        return false;
    }
    setStatusPanel(1, "Working");
    setBusyCursor(true);
    setStatusPanel(3, "Loading Page Description And Keywords from " + entry);
    setStatusPanel(3, "Loading file " + entry);
    const std::optional<std::string> page = source.obtain(m_project, entry);
    ReadinessCheck read;
    if (!page) {
        m_prompts.error(CouldNotLoadFileMessage);
    } else {
        read = readPageValues(entry, page, [this](std::string_view text, HeadProgressKind kind) {
            setStatusPanel(3, std::string(text));
            if (kind == HeadProgressKind::Step) {
                m_pacer.processEvents();
                m_pacer.sleep(2);
            }
        });
        m_readinessPage->showValues(read.head);
        if (read.fault == ReadinessFault::HeadFault)
            m_prompts.message(read.message);
    }
    setStatusPanel(1, "Ready");
    setBusyCursor(false);
    if (page)
        setStatusPanel(3, "Files Read Successfully");
    if (read.fault == ReadinessFault::GeneralError) {
        // This fault is no error kind of the reader: it ends the check, told as any failure of a
        // handler is, but the program goes on.
        m_prompts.error(read.message);
        return false;
    }
    // An unreadable page goes on to the report, which cannot read it either and says so.
    return true;
}

void TForm1::readinessNextClick() {
    const std::string list = m_filesPage->listName();
    if (m_filesPage->acceptListName(list)) {
        const ReadinessPage& step = *m_readinessPage;
        try {
            ProjectFileLists(m_folder, m_project.name)
                .writePageValues(list, {step.valueLines(step.Memo3()), step.valueLines(step.Memo4()),
                                        step.valueLines(step.Memo5())});
        } catch (const FileError& e) {
            m_prompts.error(e.what());
        }
    }
    openEngineStep();
}
