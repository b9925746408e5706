// Step 5 of the submission tool's window: the submission run's controls, and the window as the
// run's view.

#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QTabWidget>
#include <QToolButton>

#include "net/tickhttp.h"
#include "pageprep/reportwindow.h"
#include "platform/displaytext.h"
#include "submission/mainwindow.h"
#include "submission/selectenginespage.h"
#include "submission/submissionrun.h"
#include "submission/submitpage.h"
#include "submission/watchdog.h"

void TForm1::createSubmissionRun() {
    m_run = std::make_unique<SubmissionRun>(SubmissionRun::Context{
        *m_geturl,
        *m_geturlSecure,
        {m_geturl.get(), m_geturlSecure.get(), m_GETURL2.get(), m_geturls.get()},
        m_folder,
        m_prompts,
        m_pacer,
        *m_watchdog,
        m_variables,
        m_project,
        m_activeFiles,
        m_selectedEngines,
        *this,
    });
}

void TForm1::setWatchdog(std::unique_ptr<Watchdog> watchdog) {
    // The run binds the watchdog's tick when it is made, and lets go of it when it goes.
    m_run.reset();
    m_watchdog = std::move(watchdog);
    m_watchdog->setInterval(m_watchdogInterval);
    createSubmissionRun();
}

void TForm1::stepFiveReset() {
    m_run->stepFiveReset();
}

void TForm1::submitClick() {
    m_run->submitClick();
}

void TForm1::cancelClick() {
    m_run->cancelClick();
}

void TForm1::verifyClick() {
    m_run->verifyClick();
}

void TForm1::handlerFailed(const std::exception& e) {
    if (m_run->running())
        m_run->cancelClick();
    ProgramWindow::handlerFailed(e);
}

// SubmissionRunView

void TForm1::setBar(Bar bar, int percent) {
    QProgressBar* bars[] = {m_submitPage->filesBar(), m_submitPage->enginesBar(), m_submitPage->overallBar()};
    bars[static_cast<int>(bar)]->setValue(percent);
}

void TForm1::setTotalFilesSelected(const std::string& text) {
    m_submitPage->totalFilesField()->setText(toDisplay(text));
}

void TForm1::setTotalEnginesSelected(const std::string& text) {
    m_submitPage->totalEnginesField()->setText(toDisplay(text));
}

void TForm1::setProcessingStep(const std::string& text) {
    m_submitPage->stepField()->setText(toDisplay(text));
}

void TForm1::setFileCounter(const std::string& text) {
    m_submitPage->fileCounterField()->setText(toDisplay(text));
}

void TForm1::setFileAddress(const std::string& text) {
    m_submitPage->fileAddressField()->setText(toDisplay(text));
}

void TForm1::setEngineCounter(const std::string& text) {
    m_submitPage->engineCounterField()->setText(toDisplay(text));
}

void TForm1::setEngineName(const std::string& text) {
    m_submitPage->engineNameField()->setText(toDisplay(text));
}

void TForm1::setStatusField(StatusRow row, StatusColumn column, const std::string& text) {
    const SubmitPage::StatusRow rows[] = {SubmitPage::FileRow, SubmitPage::ProjRow};
    const SubmitPage::StatusColumn columns[] = {SubmitPage::ToSubmit, SubmitPage::Success, SubmitPage::Fail};
    m_submitPage->statusField(rows[static_cast<int>(row)], columns[static_cast<int>(column)])
        ->setText(toDisplay(text));
}

void TForm1::setRunControls(bool running) {
    m_submitPage->submitButton()->setEnabled(!running);
    m_submitPage->settingsButton()->setEnabled(!running);
    m_submitPage->cancelButton()->setEnabled(running);
    for (QMenu* menu : {m_fileMenu, m_toolsMenu, m_historyMenu})
        menu->setEnabled(!running);
}

void TForm1::showStepFive() {
    activate(m_submitPage);
}

void TForm1::rebuildSelectedEngines() {
    m_selectedEngines = m_enginesPage->addActiveEngs();
}

int TForm1::fileListRows() const {
    return static_cast<int>(m_workFiles.rows().size());
}

int TForm1::engineListItems() const {
    return m_enginesPage->itemCount();
}

void TForm1::showReport(const std::vector<std::string>& lines) {
    m_form3->setLines(lines);
    m_runModal(*m_form3);
}
