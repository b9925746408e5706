#include "position/resultspage.h"

#include "platform/core/gridfile.h"
#include "platform/core/programfolder.h"
#include "platform/core/safefile.h"
#include "platform/scriptedprompts.h"
#include "platform/tests/pdftools.h"
#include "platform/tests/tempdir.h"
#include "position/core/reportexport.h"
#include "position/core/reportgrid.h"
#include "position/reporttablemodel.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableView>
#include <QToolButton>

namespace {

using Kind = ScriptedPrompts::Kind;
namespace fs = std::filesystem;

const char* const kSaveFilter = "Orlek Position Report|*.prp|All Files (*.*)|*.*|CSV|*.csv|HTML|*.html";

class ResultsPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_report.reset("01/02/2024");
        m_report.appendEmptyRow();
        m_report.appendRow("Placement of precise matches for shoes", "http://www.example.com/");
        m_report.appendRow("Google result 1", "http://www.example.com/");
        m_report.appendRow("Positioning Results:",
                           "1 precise URL match was found for shoes, boots on Google.");
        m_page.reload();
        m_page.setClock([] { return QDateTime(QDate(2023, 12, 25), QTime(13, 45, 7)); });
    }

    fs::path reports() const { return m_dir.path() / "reports"; }

    void answerSave(const fs::path& path, int filterIndex = 1) {
        m_prompts.saveAnswers.push_back(FileDialogResult{path, filterIndex});
    }
    void answerOpen(const fs::path& path) { m_prompts.openAnswers.push_back(FileDialogResult{path, 1}); }

    std::vector<ScriptedPrompts::Shown> shown(Kind kind, const std::string& text) { return {{kind, text}}; }

    TempDir m_dir;
    ProgramFolder m_folder{m_dir.path()};
    ScriptedPrompts m_prompts;
    ReportGrid m_report;
    ResultsPage m_page{m_report, m_prompts, m_folder};
};

QStringList menuTexts(QToolButton* button) {
    QStringList texts;
    for (QAction* action : button->menu()->actions())
        texts << action->text();
    return texts;
}

}  // namespace

TEST_F(ResultsPageTest, ButtonsCarryTheirCaptionsAndHints) {
    struct Case {
        QToolButton* button;
        const char* caption;
        const char* hint;
    } cases[] = {
        {m_page.saveButton(), "Save", ""},
        {m_page.openButton(), "Open Report", "Open Existing Position Report"},
        {m_page.printButton(), "Print Report", "Print Position Report"},
        {m_page.helpButton(), "Help", "Help with the report"},
        {m_page.restartButton(), "Restart Wizard", "Restart Wizard from Step One (1)"},
        {m_page.previousButton(), "Previous", "Go to Step 3 (Check your position)"},
        {m_page.exitButton(), "Exit", "Exit the Application"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.button->text(), c.caption);
        EXPECT_EQ(c.button->toolTip(), c.hint) << c.caption;
    }
    EXPECT_EQ(menuTexts(m_page.saveButton()),
              QStringList({"Save ...", "Save to CSV ...", "Save to HTML ...", "", "Help With File Save"}));
    EXPECT_EQ(m_page.saveAction()->text(), "Save ...");
    EXPECT_EQ(m_page.openAction()->text(), "Open ...");
    EXPECT_EQ(m_page.printAction()->text(), "Print ...");
}

TEST_F(ResultsPageTest, EachSaveCommandWritesItsFormat) {
    struct Case {
        const char* command;
        std::function<void(ResultsPage&)> run;
        const char* extension;
        int startFilter;
        std::string bytes;
    } cases[] = {
        {"Save button", [](ResultsPage& p) { p.saveButton()->click(); }, "prp", 1,
         gridFileText(m_report.table())},
        {"Save ...", [](ResultsPage& p) { p.saveAction()->trigger(); }, "prp", 1,
         gridFileText(m_report.table())},
        {"Save to CSV ...", [](ResultsPage& p) { p.saveButton()->menu()->actions()[1]->trigger(); }, "csv", 3,
         reportCsv(m_report.table())},
        {"Save to HTML ...", [](ResultsPage& p) { p.saveButton()->menu()->actions()[2]->trigger(); }, "html",
         4, reportHtml(m_report.table(), m_page.htmlHeaderColour())},
    };
    for (const Case& c : cases) {
        m_prompts.clear();
        fs::path path = reports() / (std::string("out.") + c.extension);
        // The dialog's own filter index: reset to the first before each command.
        answerSave(path, 1);
        c.run(m_page);
        ASSERT_EQ(m_prompts.fileRequests().size(), 1u) << c.command;
        const FileDialogRequest& request = m_prompts.fileRequests()[0];
        EXPECT_EQ(request.title, "Save Position Report");
        EXPECT_EQ(request.filter, kSaveFilter);
        EXPECT_EQ(request.startFolder, reports());
        EXPECT_EQ(request.defaultExtension, c.extension) << c.command;
        EXPECT_EQ(request.filterIndex, c.startFilter) << c.command;
        EXPECT_EQ(m_prompts.shown(), shown(Kind::Information, "Report was saved successfully!")) << c.command;
        EXPECT_EQ(readFileBytes(path), c.bytes) << c.command;
    }
}

TEST_F(ResultsPageTest, TheChosenFilesExtensionNamesTheFormatOtherwiseTheCommandDoes) {
    const std::string grid = gridFileText(m_report.table());
    const std::string csv = reportCsv(m_report.table());
    const std::string html = reportHtml(m_report.table(), m_page.htmlHeaderColour());
    struct Case {
        void (ResultsPage::*command)();
        std::string chosen;
        int filter;  // what the dialog reports; it never decides the format
        std::string written;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {&ResultsPage::RzToolbarButton13Click, "chosen.csv", 3, "chosen.csv", csv},
        {&ResultsPage::RzToolbarButton13Click, "chosen.HTML", 1, "chosen.HTML", html},
        {&ResultsPage::MenuItem3Click, "back.prp", 3, "back.prp", grid},
        {&ResultsPage::SavetoHTNL1Click, "page.htm", 4, "page.htm", html},
        {&ResultsPage::MenuItem3Click, "notes.txt", 3, "notes.txt", csv},
        {&ResultsPage::RzToolbarButton13Click, "notes.txt", 1, "notes.txt", grid},
        {&ResultsPage::MenuItem3Click, "plain", 1, "plain.csv", csv},
        {&ResultsPage::SavetoHTNL1Click, "plain", 1, "plain.html", html},
        {&ResultsPage::RzToolbarButton13Click, "plain", 1, "plain.prp", grid},
    };
    for (const Case& c : cases) {
        answerSave(reports() / c.chosen, c.filter);
        (m_page.*c.command)();
        EXPECT_EQ(readFileBytes(reports() / c.written), c.bytes) << c.chosen;
    }
    EXPECT_FALSE(fs::exists(reports() / "plain"));
}

TEST_F(ResultsPageTest, PlainSaveKeepsTheFilterLastUsed) {
    auto nextIndex = [&] {
        m_prompts.saveAnswers.push_back(std::nullopt);
        m_page.RzToolbarButton13Click();
        return m_prompts.fileRequests().back().filterIndex;
    };
    EXPECT_EQ(nextIndex(), 1);
    answerSave(reports() / "a.csv", 2);
    m_page.MenuItem3Click();
    EXPECT_EQ(nextIndex(), 2);
    answerSave(reports() / "a.html", 4);
    m_page.SavetoHTNL1Click();
    EXPECT_EQ(nextIndex(), 4);
    // A cancelled export still leaves its own filter selected.
    m_prompts.saveAnswers.push_back(std::nullopt);
    m_page.MenuItem3Click();
    EXPECT_EQ(nextIndex(), 3);
}

TEST_F(ResultsPageTest, CancelledSaveWritesNothing) {
    m_prompts.saveAnswers.push_back(std::nullopt);
    m_page.MenuItem3Click();
    EXPECT_TRUE(m_prompts.shown().empty());
    EXPECT_TRUE(fs::is_empty(reports()));
}

TEST_F(ResultsPageTest, UnwritableFileShowsTheSaveErrorAndLeavesTheGrid) {
    writeFileAtomically(m_dir / "afile", "x");
    GridTable before = m_report.table();
    for (auto command : {&ResultsPage::RzToolbarButton13Click, &ResultsPage::MenuItem3Click,
                         &ResultsPage::SavetoHTNL1Click}) {
        m_prompts.clear();
        answerSave(m_dir / "afile" / "report.prp");
        (m_page.*command)();
        EXPECT_EQ(m_prompts.shown(), shown(Kind::Error, "An error occurred when saving the Report"));
    }
    EXPECT_EQ(m_report.table(), before);
}

TEST_F(ResultsPageTest, HtmlHeaderTakesTheWindowColour) {
    QPalette palette = m_page.palette();
    palette.setColor(QPalette::Active, QPalette::Window, QColor(0x12, 0x34, 0xAB));
    m_page.setPalette(palette);
    answerSave(reports() / "r.html", 4);
    m_page.SavetoHTNL1Click();
    std::string html = readFileBytes(reports() / "r.html");
    EXPECT_NE(html.find("<td nowrap BGCOLOR=\"#1234AB\"><B>Ranqor TM Report</B></td>\r\n"), std::string::npos)
        << html;
}

TEST_F(ResultsPageTest, OpenReadsTheReportIntoTheGrid) {
    GridTable saved(2, 4);
    saved.setColumnWidth(0, 150);
    saved.setColumnWidth(1, 300);
    saved.setCell(0, 0, "Ranqor TM Report");
    saved.setCell(1, 0, "03/03/2023");
    saved.setCell(0, 1, "AltaVista result 1");
    saved.setCell(1, 2, "two\r\nlines");
    writeGridFile(reports() / "old.prp", saved);
    answerOpen(reports() / "old.prp");
    m_page.openButton()->click();

    ASSERT_EQ(m_prompts.fileRequests().size(), 1u);
    const FileDialogRequest& request = m_prompts.fileRequests()[0];
    EXPECT_EQ(request.title, "Open Position Report");
    EXPECT_EQ(request.filter, "Orlek Position Report|*.PRP|All Files (*.*)|*.*");
    EXPECT_EQ(request.startFolder, reports());
    EXPECT_TRUE(m_prompts.shown().empty());
    EXPECT_EQ(m_report.table(), saved);
    EXPECT_EQ(m_page.model().rowCount(), 3);
    EXPECT_EQ(m_page.model().headerData(1, Qt::Horizontal).toString(), "03/03/2023");
    EXPECT_EQ(m_page.view()->columnWidth(0), 150);
    EXPECT_EQ(m_page.view()->columnWidth(1), 300);
    EXPECT_EQ(m_page.model().index(1, 1).data().toString(), "two\nlines");
}

TEST_F(ResultsPageTest, OpenErrorsAreShownAndTheReportOnScreenIsKept) {
    writeFileAtomically(reports() / "bad.prp", "0,0\r\n0,0,x\r\n");
    struct Case {
        fs::path path;
        std::string message;
    } cases[] = {
        {reports() / "missing.prp", "File " + (reports() / "missing.prp").string() + " not found"},
        {reports() / "bad.prp", "File contains no data or corrupt file " + (reports() / "bad.prp").string()},
    };
    const GridTable before = m_report.table();
    for (const Case& c : cases) {
        m_prompts.clear();
        answerOpen(c.path);
        m_page.RzToolbarButton12Click();
        EXPECT_EQ(m_prompts.shown(), shown(Kind::Error, c.message));
        EXPECT_EQ(m_report.table(), before);
        EXPECT_EQ(m_page.model().index(2, 0).data().toString(), "Google result 1");
    }
}

TEST_F(ResultsPageTest, CancelledOpenLeavesTheGrid) {
    GridTable before = m_report.table();
    m_prompts.openAnswers.push_back(std::nullopt);
    m_page.openAction()->trigger();
    EXPECT_EQ(m_report.table(), before);
    EXPECT_TRUE(m_prompts.shown().empty());
}

TEST_F(ResultsPageTest, PrintWritesTheGridToThePrinter) {
    fs::path pdf = m_dir / "printed.pdf";
    m_prompts.printAnswers.push_back(pdf);
    m_page.printButton()->click();
    EXPECT_TRUE(m_prompts.shown().empty());
    QString text = pdfText(pdf);
    for (const char* expected :
         {"25/12/2023", "13:45:07", "Ranqor TM Report", "Google result 1", "http://www.example.com/"}) {
        EXPECT_TRUE(text.contains(expected)) << expected << "\n" << text.toStdString();
    }

    m_prompts.printAnswers.push_back(fs::path());
    m_page.printAction()->trigger();
    EXPECT_TRUE(m_prompts.shown().empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir.path()), fs::directory_iterator()), 1);

    m_prompts.printAnswers.push_back(m_dir / "no such folder" / "x.pdf");
    m_page.RzToolbarButton14Click();
    EXPECT_EQ(m_prompts.shown(), shown(Kind::Error, "An error occurred when printing the Report"));
}

TEST_F(ResultsPageTest, HelpCommandsOpenTheirTopics) {
    m_page.helpButton()->click();
    m_page.saveButton()->menu()->actions()[4]->trigger();
    EXPECT_EQ(m_prompts.helpTopics(), std::vector<std::string>({"report", "saving-files"}));
}

TEST_F(ResultsPageTest, WizardButtonsAreSignalsAndPreviousCanBeHidden) {
    std::vector<std::string> heard;
    QObject::connect(&m_page, &ResultsPage::restartWizardRequested, [&] { heard.push_back("restart"); });
    QObject::connect(&m_page, &ResultsPage::previousRequested, [&] { heard.push_back("previous"); });
    QObject::connect(&m_page, &ResultsPage::exitRequested, [&] { heard.push_back("exit"); });
    m_page.restartButton()->click();
    m_page.previousButton()->click();
    m_page.exitButton()->click();
    EXPECT_EQ(heard, std::vector<std::string>({"restart", "previous", "exit"}));

    m_page.setPreviousVisible(false);
    EXPECT_TRUE(m_page.previousButton()->isHidden());
    m_page.setPreviousVisible(true);
    EXPECT_FALSE(m_page.previousButton()->isHidden());
}

TEST_F(ResultsPageTest, TextBeingTypedIsSavedWithTheCell) {
    m_page.show();
    QTableView* view = m_page.view();
    QModelIndex cell = m_page.model().index(2, 1);
    view->setCurrentIndex(cell);
    view->edit(cell);
    auto* editor = view->viewport()->findChild<QPlainTextEdit*>("cellEditor");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->toPlainText(), "http://www.example.com/");
    editor->setPlainText("edited\nnow");
    answerSave(reports() / "r.prp");
    m_page.RzToolbarButton13Click();
    EXPECT_EQ(m_report.table().cell(1, 3), "edited\r\nnow");
    EXPECT_NE(readFileBytes(reports() / "r.prp").find("\r\n1,3,edited\t\bnow\r\n"), std::string::npos);
}

TEST_F(ResultsPageTest, RowsAreInsertedAndDeletedAtTheCurrentRow) {
    QTableView* view = m_page.view();
    view->setCurrentIndex(m_page.model().index(1, 0));
    m_page.insertRowAction()->trigger();
    EXPECT_EQ(m_report.rowCount(), 7);
    EXPECT_EQ(m_report.table().cell(0, 2), "");
    EXPECT_EQ(m_report.table().cell(0, 3), "Placement of precise matches for shoes");

    view->clearSelection();
    view->selectionModel()->select(m_page.model().index(2, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    view->selectionModel()->select(m_page.model().index(3, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    m_page.deleteRowAction()->trigger();
    EXPECT_EQ(m_report.rowCount(), 5);
    EXPECT_EQ(m_report.table().cell(0, 2), "");
    EXPECT_EQ(m_report.table().cell(0, 3), "Positioning Results:");

    view->clearSelection();
    view->setCurrentIndex(QModelIndex());
    m_page.insertRow();
    EXPECT_EQ(m_report.rowCount(), 6);
}

TEST_F(ResultsPageTest, ResizedColumnsAreSavedWithTheReport) {
    m_page.view()->setColumnWidth(0, 250);
    EXPECT_EQ(m_report.table().columnWidth(0), 250);
    answerSave(reports() / "r.prp");
    m_page.RzToolbarButton13Click();
    EXPECT_NE(readFileBytes(reports() / "r.prp").find("\r\ncw 0,250\r\ncw 1,394\r\n"), std::string::npos);
}

TEST_F(ResultsPageTest, ReloadShowsTheAnalysisRows) {
    m_report.appendEmptyRow();
    m_report.appendRow("Yahoo! result 3.", "http://www.example.com/");
    m_page.reload();
    EXPECT_EQ(m_page.model().rowCount(), m_report.rowCount() - 1);
    EXPECT_EQ(m_page.model().index(m_report.rowCount() - 3, 0).data().toString(), "Yahoo! result 3.");
}
