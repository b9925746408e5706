#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QToolButton>

#include "pageprep/interrogator.h"
#include "pageprep/readinesspage.h"
#include "pageprep/reportwindow.h"
#include "pageprep/tipspane.h"
#include "platform/core/safefile.h"
#include "platform/scriptedprompts.h"
#include "platform/tests/pdftools.h"
#include "platform/tests/tempdir.h"

namespace fs = std::filesystem;

namespace {

using Kind = ScriptedPrompts::Kind;
using Lines = std::vector<std::string>;

QStringList menuItems(QWidget& window) {
    QStringList items;
    for (QMenuBar* bar : window.findChildren<QMenuBar*>()) {
        for (QAction* menu : bar->actions()) {
            for (QAction* item : menu->menu()->actions())
                items << menu->text() + ">" + item->text();
        }
    }
    return items;
}

}  // namespace

TEST(ReportWindow, BothReportsShareTheirCommandsAndDifferInTheirTexts) {
    ScriptedPrompts prompts;
    TForm3 submission(prompts, ReportWindowVariant::submission());
    TForm5 readiness(prompts, ReportWindowVariant::readiness());
    EXPECT_EQ(submission.windowTitle(), "Vistral  Report");
    EXPECT_EQ(readiness.windowTitle(), "Vistral [Meta Tag Analysis (Verimane Module)");
    EXPECT_EQ(menuItems(submission),
              (QStringList{"&File>&Print", "&File>Printer Set&up ...", "&File>E&xit", "&Edit>&Copy",
                           "&Edit>Copy &All", "&Help>Help with this report", "&Help>About"}));
    EXPECT_EQ(menuItems(readiness),
              (QStringList{"&File>&Print", "&File>Printer Set&up ...", "&File>E&xit", "&Edit>&Copy",
                           "&Edit>Copy &All", "&Help>With this window", "&Help>About the Report"}));
    EXPECT_EQ(readiness.findChild<QToolButton*>("copyAllButton")->toolTip(),
              "Copy the entire report to the clipboard");

    readiness.findChild<QAction*>("helpItem")->trigger();
    submission.findChild<QToolButton*>("helpButton")->click();
    EXPECT_EQ(prompts.helpTopics(), (Lines{"readiness", "submission-report"}));
    submission.aboutClick();
    EXPECT_EQ(prompts.shown().back().kind, Kind::Message);
}

TEST(ReportWindow, NewLinesReplaceTheTextAndCopyAllTakesAllOfIt) {
    ScriptedPrompts prompts;
    ReportWindow window(prompts, ReportWindowVariant::submission());
    window.setLines({"old"});
    window.setLines({"", "Active Project: Shop", "", "to: Excite"});
    EXPECT_EQ(window.lines(), (Lines{"", "Active Project: Shop", "", "to: Excite"}));
    window.copyAllClick();
    EXPECT_EQ(QApplication::clipboard()->text(), "\nActive Project: Shop\n\nto: Excite");
    QTextCursor cursor = window.textPane()->textCursor();
    cursor.setPosition(1);
    cursor.setPosition(7, QTextCursor::KeepAnchor);
    window.textPane()->setTextCursor(cursor);
    window.copyClick();
    EXPECT_EQ(QApplication::clipboard()->text(), "Active");
}

TEST(ReportWindow, PrintsTheWholeTextAsAJobNamedAfterTheReportOnThePrinterSetUp) {
    TempDir dir;
    ScriptedPrompts prompts;
    ReportWindow window(prompts, ReportWindowVariant::readiness());
    Lines lines;
    for (int i = 1; i <= 120; ++i)
        lines.push_back("Line " + std::to_string(i) + " of the readiness report");
    window.setLines(lines);
    prompts.printAnswers = {dir / "report.pdf"};
    window.printerSetupClick();
    window.printClick();
    const QString info = pdfInfo(dir / "report.pdf");
    EXPECT_TRUE(info.contains("Vistral Readicor Report")) << info.toStdString();
    const QString text = pdfText(dir / "report.pdf");
    EXPECT_TRUE(text.contains("Line 1 of the readiness report"));
    EXPECT_TRUE(text.contains("Line 120 of the readiness report"));
    EXPECT_TRUE(prompts.shown().empty());

    // A cancelled setup keeps the printer; the next print goes to the same file.
    prompts.printAnswers = {fs::path()};
    window.printerSetupClick();
    window.setLines({"Second"});
    window.printClick();
    EXPECT_TRUE(pdfText(dir / "report.pdf").contains("Second"));
}

TEST(Interrogator, OpensTheChosenEnginesQueryForTheUrlAsTyped) {
    ScriptedPrompts prompts;
    TForm7 form(prompts);
    EXPECT_EQ(form.windowTitle(), "Search Engine Interrogator");
    ASSERT_EQ(form.engineChoices().size(), 8u);
    EXPECT_EQ(form.chosenEngine(), 0);
    EXPECT_EQ(form.engineChoices()[6]->text(), "Web Crawler");
    form.checkClick();
    form.engineChoices()[4]->setChecked(true);
    form.urlBox()->setText("www.example.com/a b&c");
    form.findChild<QPushButton*>("checkButton")->click();
    EXPECT_EQ(prompts.urls(), (Lines{"http://www.infoseek.com/Titles?col=WW&qt=url%3A&lk=ip-noframes",
                                     "http://search.yahoo.com/bin/query?p=www.example.com/a b&c&hc=0&hs=0"}));
    form.helpClick();
    EXPECT_EQ(prompts.helpTopics(), Lines{"interrogator"});
}

TEST(ReadinessPage, TypingIntoAValueBoxExplainsWhereTheValuesComeFrom) {
    ScriptedPrompts prompts;
    ReadinessPage page(prompts);
    EXPECT_TRUE(page.Memo3()->isReadOnly());
    QKeyEvent letter(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(page.Memo4(), &letter);
    QKeyEvent arrow(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(page.Memo5(), &arrow);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(
        prompts.shown()[0],
        (ScriptedPrompts::Shown{
            Kind::Information,
            "These values are read directly from the HTML file, no data entry is required or useful for "
            "search engine submission! [ Press Verify search engine readiness to read in values ]"}));
    int checks = 0;
    QObject::connect(&page, &ReadinessPage::checkRequested, [&] { ++checks; });
    page.readinessButton()->click();
    EXPECT_EQ(checks, 1);
}

TEST(TipsPane, ShowsItsFileAndWritesItBackLineByLine) {
    TempDir dir;
    writeFileAtomically(dir / "tip.txt", "First line\nCaf\xE9 line\r\n");
    TipsPane pane("tips");
    pane.load(dir / "tip.txt");
    EXPECT_TRUE(pane.isReadOnly());
    EXPECT_EQ(pane.toPlainText(), QString("First line\nCaf\u00e9 line\n"));
    pane.save(dir / "tip.txt");
    EXPECT_EQ(readFileBytes(dir / "tip.txt"), "First line\r\nCaf\xE9 line\r\n");
    EXPECT_THROW(pane.load(dir / "missing.txt"), FileError);
}
