#include "position/mainwindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <set>

#include "net/tickhttp.h"
#include "platform/core/gridfile.h"
#include "platform/core/settingsstore.h"
#include "platform/guardedapplication.h"
#include "platform/pacer.h"
#include "platform/scriptedprompts.h"
#include "platform/tests/modalrecorder.h"
#include "position/checkpage.h"
#include "position/enginespage.h"
#include "position/positionagent.h"
#include "position/reporttablemodel.h"
#include "position/resultspage.h"
#include "position/termspage.h"
#include "position/tests/runfixture.h"
#include "sitetools/proxydialog.h"

namespace fs = std::filesystem;

namespace {

using Kind = ScriptedPrompts::Kind;
using Lines = std::vector<std::string>;
const char* kKey = "\\Software\\Orlek\\Ranqor";

// A test program folder made from the shipped one.
void copyShippedFolder(const fs::path& to) {
    fs::copy(RANQOR_DATA_DIR, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

class MainWindowTest : public ::testing::Test {
protected:
    RunFixture fx;
    SettingsStore store{fx.dir / "settings.ini"};
    ScriptedPrompts prompts;
    FakePacer pacer;
    ModalRecorder dialogs;     // the modal dialogs the window opened
    std::vector<int> endings;  // the exit status of each end of the program

    void SetUp() override { copyShippedFolder(fx.dir.path()); }

    std::unique_ptr<TForm1> open() {
        auto form =
            std::make_unique<TForm1>(TForm1::Services{fx.folder, store, prompts, pacer, fx.server.url("")});
        form->setModalRunner(dialogs.runner());
        form->setEndProgram([this](int status) { endings.push_back(status); });
        form->searchComponent().setTimeout(10);
        return form;
    }

    static bool tabVisible(TForm1& form, const QString& caption) {
        for (int i = 0; i < form.tabs().count(); ++i) {
            if (form.tabs().tabText(i) == caption)
                return form.tabs().isTabVisible(i);
        }
        return false;
    }
    static QString activeTab(TForm1& form) { return form.tabs().tabText(form.tabs().currentIndex()); }
    static bool menuVisible(TForm1& form, const QString& title) {
        return form.menu(title)->menuAction()->isVisible();
    }
    static QAction* item(QMenu* menu, const QString& text) {
        for (QAction* action : menu->actions()) {
            if (action->text() == text)
                return action;
        }
        return nullptr;
    }
    static void mark(QTreeWidget* view, int row) { view->topLevelItem(row)->setCheckState(0, Qt::Checked); }
};

}  // namespace

TEST_F(MainWindowTest, StartsOnStepOneWithTheProgramFoldersFilesLoaded) {
    auto form = open();
    EXPECT_EQ(form->windowTitle(), "Ranqor");
    EXPECT_TRUE(tabVisible(*form, "1. Position agent settings"));
    for (const char* tab : {"2. Select engines", "3. Check your position", "Review your results"}) {
        EXPECT_FALSE(tabVisible(*form, tab)) << tab;
    }
    EXPECT_EQ(activeTab(*form), "1. Position agent settings");
    EXPECT_TRUE(menuVisible(*form, "File"));
    EXPECT_TRUE(menuVisible(*form, "Terms"));
    for (const char* menu : {"&Engines", "Check", "Results"})
        EXPECT_FALSE(menuVisible(*form, menu)) << menu;
    EXPECT_EQ(form->statusPanel(1), "Ready");
    EXPECT_EQ(form->statusPanel(2), "Welcome to Ranqor");
    EXPECT_EQ(form->statusPanel(3), "Ranqor Search Engine Position Utility");
    EXPECT_EQ(form->termsPage().termView()->topLevelItemCount(), 4);
    EXPECT_EQ(form->enginesPage().engineView()->topLevelItemCount(), 16);
    EXPECT_EQ(form->checkPage().addressBox()->count(), 2);
    EXPECT_EQ(form->checkPage().compareBox()->count(), 1);
    EXPECT_TRUE(form->termsPage().preciseBox()->isChecked());
    EXPECT_FALSE(form->termsPage().otherSitesBox()->isChecked());
    EXPECT_FALSE(form->termsPage().infoPane()->toPlainText().isEmpty());
    EXPECT_TRUE(prompts.shown().empty());
    // The first start created the key and the proxy value the proxy dialog saves into.
    EXPECT_TRUE(store.keyExists(kKey));
    EXPECT_EQ(store.readValue(kKey, "proxy"), "");
}

TEST_F(MainWindowTest, EnginesAddedWithARuleFileAreListedAfterTheCatalogs) {
    // The shipped examples, copied up from the folder that is never read, and a name that
    // could not name an engine's files.
    for (const char* name : {"BraveSearch.rule", "BraveSearch.hdf", "DuckDuckGo.rule", "DuckDuckGo.hdf"})
        fs::copy_file(fx.dir / "edata" / "examples" / name, fx.dir / "edata" / name);
    fs::copy_file(fx.dir / "edata" / "examples" / "DuckDuckGo.rule", fx.dir / "edata" / "a..b.rule");
    fs::copy_file(fx.dir / "edata" / "builtin" / "Google.rule", fx.dir / "edata" / "google.rule");
    auto form = open();
    QTreeWidget* view = form->enginesPage().engineView();
    ASSERT_EQ(view->topLevelItemCount(), 18);
    EXPECT_EQ(view->topLevelItem(15)->text(0), "Google");  // the catalog's own entry, listed once
    EXPECT_EQ(view->topLevelItem(16)->text(0), "BraveSearch");
    EXPECT_EQ(view->topLevelItem(17)->text(0), "DuckDuckGo");
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].kind, Kind::Warning);
    EXPECT_EQ(prompts.shown()[0].text,
              "The engine rule " + (fx.folder.resolve("edata") / "a..b.rule").string() +
                  " is ignored: an engine name must not contain \"\\\", \"/\" or \"..\", since it names the "
                  "engine's files in edata and Temp.");
}

TEST_F(MainWindowTest, AFailingStartUpFileShowsItsErrorAndSkipsTheRest) {
    fs::remove(fx.dir / "tips" / "six.txt");
    auto form = open();
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].kind, Kind::Error);
    EXPECT_NE(prompts.shown()[0].text.find("six.txt"), std::string::npos);
    EXPECT_EQ(form->enginesPage().engineView()->topLevelItemCount(), 0);
    EXPECT_EQ(form->termsPage().termView()->topLevelItemCount(), 0);
    EXPECT_TRUE(form->isEnabled());
}

TEST_F(MainWindowTest, ASettingsFileThatIsNoneIsReportedAndKept) {
    const std::string notSettings = "proxy: 10.0.0.1\nprecise: yes\n";
    writeFileAtomically(fx.dir / "settings.ini", notSettings);
    {
        auto form = open();
        ASSERT_FALSE(prompts.shown().empty());
        EXPECT_EQ(prompts.shown()[0].kind, Kind::Error);
        EXPECT_NE(prompts.shown()[0].text.find((fx.dir / "settings.ini").string() +
                                               " is not in the settings format"),
                  std::string::npos)
            << prompts.shown()[0].text;
        form->close();
    }
    EXPECT_EQ(prompts.shown().back().kind, Kind::Error);  // saving on close is refused too
    EXPECT_EQ(readFileBytes(fx.dir / "settings.ini"), notSettings);
}

TEST_F(MainWindowTest, SettingsAreReadAtStartAndWrittenOnClose) {
    {
        auto form = open();
        form->termsPage().preciseBox()->setChecked(false);
        form->termsPage().otherSitesBox()->setChecked(true);
        form->close();
    }
    EXPECT_EQ(store.readValue(kKey, "precise"), "0");
    EXPECT_EQ(store.readValue(kKey, "allten"), "1");
    EXPECT_EQ(store.readValue(kKey, "topten"), "0");
    store.writeValue(kKey, "proxy", "10.0.0.1:8080");
    auto form = open();
    EXPECT_FALSE(form->termsPage().preciseBox()->isChecked());
    EXPECT_TRUE(form->termsPage().otherSitesBox()->isChecked());
    EXPECT_EQ(form->searchComponent().ProxyServer(), "10.0.0.1:8080");
    EXPECT_EQ(form->updateComponent().ProxyServer(), "");
}

TEST_F(MainWindowTest, NextFromStepOneNeedsAMarkedTerm) {
    auto form = open();
    form->stepOneNext();
    EXPECT_EQ(
        prompts.shown().back(),
        (ScriptedPrompts::Shown{
            Kind::Error, "You must select at least one term to continue, Select terms with step one (1)"}));
    EXPECT_EQ(activeTab(*form), "1. Position agent settings");

    mark(form->termsPage().termView(), 2);
    form->stepOneNext();
    EXPECT_EQ(form->selectedTerms(), Lines{"meta tags"});
    EXPECT_EQ(activeTab(*form), "2. Select engines");
    EXPECT_TRUE(menuVisible(*form, "&Engines"));
    EXPECT_EQ(form->statusPanel(3), "Select Engines");
}

TEST_F(MainWindowTest, NextFromStepTwoWithoutAnEngineLeavesStepThreeVisibleButNotActive) {
    auto form = open();
    mark(form->termsPage().termView(), 0);
    form->stepOneNext();
    form->stepTwoNext();
    EXPECT_EQ(
        prompts.shown().back().text,
        "You must select at least one engine to run the position agent. Please go to Step two (2) to select "
        "search engines for position analysis.");
    EXPECT_TRUE(tabVisible(*form, "3. Check your position"));
    EXPECT_EQ(activeTab(*form), "2. Select engines");

    form->enginesPage().selectAllClick();
    form->stepTwoNext();
    EXPECT_EQ(activeTab(*form), "3. Check your position");
    EXPECT_EQ(form->checkPage().totalEnginesField()->text(), "16 of 16");
    EXPECT_EQ(form->checkPage().engineCounterField()->text(), "0 of 16");
    EXPECT_EQ(form->checkPage().stepField()->text(), "idle");
    EXPECT_EQ(form->statusPanel(3), "dIrozidid Udazadarerez Aro");
    form->previousClick();
    EXPECT_EQ(activeTab(*form), "2. Select engines");
    form->previousClick();
    EXPECT_EQ(activeTab(*form), "1. Position agent settings");
}

TEST_F(MainWindowTest, ARunEndsOnTheResultsAndRestartWizardKeepsItsAddress) {
    fx.definition("Google.hdf", "/google?q=#C");
    fx.server.script("/google?q=meta%20tags",
                     ScriptedResponse::ok(pages::google({"http://www.example.com/"})));
    auto form = open();
    mark(form->termsPage().termView(), 2);
    form->stepOneNext();
    for (int row = 0; row < form->enginesPage().engineView()->topLevelItemCount(); ++row) {
        if (form->enginesPage().engineView()->topLevelItem(row)->text(0) == "Google") {
            mark(form->enginesPage().engineView(), row);
        }
    }
    form->stepTwoNext();
    form->checkPage().addressBox()->setCurrentText("http://www.example.com/");
    form->submitClick();

    EXPECT_EQ(activeTab(*form), "Review your results");
    EXPECT_TRUE(menuVisible(*form, "Results"));
    EXPECT_EQ(form->statusPanel(1), "Ready");
    EXPECT_EQ(form->statusPanel(2), "Ranqor Processings Complete");
    // The step-2 Next at the end of the run refreshes step 3 and its panel text.
    EXPECT_EQ(form->statusPanel(3), "dIrozidid Udazadarerez Aro");
    EXPECT_EQ(form->report().table().cell(0, 3), "Google result 1");
    EXPECT_TRUE(form->checkPage().checkButton()->isEnabled());
    EXPECT_FALSE(form->checkPage().cancelButton()->isEnabled());
    EXPECT_EQ(pacer.sleeps, (std::vector<int>{5, 5, 5, 5, 500, 5}));
    EXPECT_EQ(form->checkPage().activityMonitor()->toPlainText().toStdString(),
              "\nSet Current file to: Google: http://www.example.com/\nCurrent Term: meta tags\n"
              "Status: HTTP/1.0 200 OK");

    form->restartWizard();
    EXPECT_EQ(form->windowTitle(), "Ranqor: http://www.example.com/");
    EXPECT_EQ(form->checkPage().addressBox()->currentText(), "http://www.example.com/");
    EXPECT_EQ(activeTab(*form), "1. Position agent settings");
    EXPECT_FALSE(tabVisible(*form, "Review your results"));
    EXPECT_FALSE(menuVisible(*form, "Results"));
}

TEST_F(MainWindowTest, CancelEmptiesTheListsAndRestartsTheWizard) {
    auto form = open();
    mark(form->termsPage().termView(), 0);
    form->stepOneNext();
    form->enginesPage().selectAllClick();
    form->stepTwoNext();
    form->setRunControls(true);
    form->cbuttonClick();
    EXPECT_TRUE(form->agent().cancelled());
    EXPECT_TRUE(form->selectedTerms().empty());
    EXPECT_TRUE(form->selectedEngines().empty());
    EXPECT_TRUE(form->checkPage().checkButton()->isEnabled());
    EXPECT_FALSE(form->checkPage().cancelButton()->isEnabled());
    EXPECT_TRUE(form->menu("File")->isEnabled());
    EXPECT_EQ(activeTab(*form), "1. Position agent settings");
    EXPECT_FALSE(tabVisible(*form, "3. Check your position"));
}

TEST_F(MainWindowTest, ReportViewingModeShowsOnlyTheResultsUntilRestartWizard) {
    auto form = open();
    form->ReportViewer1Click();
    EXPECT_EQ(form->windowTitle(), "Report Viewing Mode - Restart Wizard to go to normal mode");
    EXPECT_EQ(activeTab(*form), "Review your results");
    for (const char* tab : {"1. Position agent settings", "2. Select engines", "3. Check your position"}) {
        EXPECT_FALSE(tabVisible(*form, tab)) << tab;
    }
    for (const char* menu : {"Terms", "&Engines", "Check"})
        EXPECT_FALSE(menuVisible(*form, menu)) << menu;
    EXPECT_TRUE(menuVisible(*form, "Results"));
    QMenu* file = form->menu("File");
    for (const char* text :
         {"Open Local ...", "Report Viewer", "Save Local ...", "Save Settings as Defaults"}) {
        EXPECT_FALSE(item(file, text)->isVisible()) << text;
    }
    EXPECT_TRUE(item(file, "Restart Wizard")->isVisible());
    EXPECT_FALSE(item(form->menu("Results"), "Previous")->isVisible());
    EXPECT_TRUE(form->resultsPage().previousButton()->isHidden());

    form->restartWizard();
    EXPECT_EQ(activeTab(*form), "1. Position agent settings");
    EXPECT_TRUE(menuVisible(*form, "Terms"));
    for (const char* text :
         {"Open Local ...", "Report Viewer", "Save Local ...", "Save Settings as Defaults"}) {
        EXPECT_TRUE(item(file, text)->isVisible()) << text;
    }
    EXPECT_TRUE(item(form->menu("Results"), "Previous")->isVisible());
    EXPECT_FALSE(form->resultsPage().previousButton()->isHidden());
}

TEST_F(MainWindowTest, TheResultPageLimitComesFromTheSettings) {
    EXPECT_EQ(open()->searchComponent().BodyLimit(), 16 << 20);
    store.writeValue(kKey, "pagelimit", "3");
    EXPECT_EQ(open()->searchComponent().BodyLimit(), 3 << 20);
}

TEST_F(MainWindowTest, TheProxyDialogsSettingReachesTheSearchComponentOnly) {
    auto form = open();
    dialogs.onDialog = [](QDialog& dialog) {
        auto& proxy = dynamic_cast<Tpset&>(dialog);
        proxy.serverEdit()->setText("10.0.0.1:8080");
        proxy.saveClick();
    };
    form->proxyClick();
    EXPECT_EQ(dialogs.titles, Lines{"Ranqor - Proxy Settings"});
    EXPECT_EQ(store.readValue(kKey, "proxy"), "10.0.0.1:8080");
    EXPECT_EQ(form->searchComponent().ProxyServer(), "10.0.0.1:8080");
    EXPECT_EQ(form->updateComponent().ProxyServer(), "");
    EXPECT_EQ(prompts.shown().back().text, "Proxy Setting Updated");
}

TEST_F(MainWindowTest, OtherCommandsOpenTheirWindows) {
    auto form = open();
    form->fileListsClick();
    form->aboutClick();
    form->collectedAddresses() = {"http://left.over/"};
    form->webListClick();
    EXPECT_EQ(dialogs.titles,
              (Lines{"Ranqor - Web File List Manager", "About Ranqor", "Browse Verification"}));
    // The browse window starts on an empty list of its own addresses.
    EXPECT_TRUE(form->collectedAddresses().empty());
}

TEST_F(MainWindowTest, BatchNeedsPreciseMatching) {
    auto form = open();
    form->termsPage().preciseBox()->setChecked(false);
    form->SelectAllFilesinWeb1Click();
    EXPECT_EQ(prompts.shown().back().text,
              "Batch Position Agent can only be run if (Use Precise Matching) is checked on Step One (1)");
    EXPECT_TRUE(prompts.fileRequests().empty());
}

TEST_F(MainWindowTest, BatchOverAListOpensTheListAndEndsOnTheResults) {
    fx.definition("Google.hdf", "/google?q=#C&site=#H");
    writeFileAtomically(fx.dir / "My File Lists" / "pages.fls", "http://a.com/\r\nhttp://b.com/\r\n");
    fx.server.script("/google?q=seo&site=http://a.com/",
                     ScriptedResponse::ok(pages::google({"http://a.com/"})));
    auto form = open();
    form->terms().addTerms({"seo"});
    form->termsPage().refresh();
    mark(form->termsPage().termView(), 4);
    form->stepOneNext();
    mark(form->enginesPage().engineView(), 15);  // Google, the last of the shipped list
    form->stepTwoNext();
    prompts.openAnswers.push_back(FileDialogResult{fx.dir / "My File Lists" / "pages.fls", 1});
    form->SelectAllFilesinWeb1Click();

    ASSERT_EQ(prompts.fileRequests().size(), 1u);
    EXPECT_EQ(prompts.fileRequests()[0].title, "Select a web list to verify");
    EXPECT_EQ(prompts.fileRequests()[0].filter, "Orlek Web File List|*.fls");
    EXPECT_EQ(prompts.fileRequests()[0].startFolder, fx.dir / "My File Lists");
    EXPECT_EQ(activeTab(*form), "Review your results");
    EXPECT_EQ(form->statusPanel(2), "Ranqor Processings Complete");
    EXPECT_EQ(form->statusPanel(3), "dIrozidid Udazadarerez Aro");
    EXPECT_EQ(form->checkPage().addressBox()->currentText(), "http://b.com/");
    EXPECT_EQ(fx.targets(), (Lines{"/google?q=seo&site=http://a.com/", "/google?q=seo&site=http://b.com/"}));
}

TEST_F(MainWindowTest, EveryHelpTopicTheWindowOpensHasItsPage) {
    auto form = open();
    for (QAction* action : form->menu("&Help")->actions()) {
        if (!action->isSeparator() && action->text() != "About ...")
            action->trigger();
    }
    for (QWidget* page :
         {static_cast<QWidget*>(&form->termsPage()), static_cast<QWidget*>(&form->enginesPage()),
          static_cast<QWidget*>(&form->checkPage()), static_cast<QWidget*>(&form->resultsPage())}) {
        for (QToolButton* button : page->findChildren<QToolButton*>()) {
            if (button->text() == "Help")
                button->click();
        }
    }
    form->resultsPage().MenuItem5Click();
    form->termsPage().frontPageBox()->setChecked(false);
    prompts.confirmAnswers = {true};
    form->termsPage().frontPageClicked(true);
    form->checkPage().listHelpRequested();

    const std::set<std::string> topics(prompts.helpTopics().begin(), prompts.helpTopics().end());
    EXPECT_EQ(topics.size(), 11u);
    for (const std::string& topic : topics) {
        EXPECT_TRUE(fs::exists(fs::path(RANQOR_DATA_DIR) / "help" / (topic + ".html"))) << topic;
    }
    EXPECT_EQ(prompts.urls(), (Lines{"http://www.orlek.example/", "http://www.orlek.example/order.html"}));
}

TEST_F(MainWindowTest, ClosingWithUnsavedTermsOrReportAsksFirst) {
    using Answer = Prompts::Answer;
    const std::string termsQuestion =
        "The search term list has changed.\n\r\n\rDo you want to save it before closing?";
    const std::string reportQuestion =
        "The position report has not been saved.\n\r\n\rDo you want to save it before closing?";
    struct Case {
        const char* name;
        bool changeTerms;
        bool changeReport;
        std::deque<Answer> answers;
        std::deque<std::optional<FileDialogResult>> saves;
        bool closed;
        Lines questions;
    };
    const fs::path termsFile = fx.dir / "terms" / "kept.tms";
    const fs::path reportFile = fx.dir / "reports" / "kept.prp";
    const std::vector<Case> cases = {
        {"nothing changed", false, false, {}, {}, true, {}},
        {"terms, Cancel", true, false, {Answer::Cancel}, {}, false, {termsQuestion}},
        {"terms, No", true, false, {Answer::No}, {}, true, {termsQuestion}},
        {"terms, Yes", true, false, {Answer::Yes}, {FileDialogResult{termsFile, 1}}, true, {termsQuestion}},
        {"terms, Yes, save cancelled", true, false, {Answer::Yes}, {std::nullopt}, false, {termsQuestion}},
        {"report, Yes",
         false,
         true,
         {Answer::Yes},
         {FileDialogResult{reportFile, 1}},
         true,
         {reportQuestion}},
        {"both, No then Cancel",
         true,
         true,
         {Answer::No, Answer::Cancel},
         {},
         false,
         {termsQuestion, reportQuestion}},
    };
    for (const Case& c : cases) {
        prompts.clear();
        fs::remove(termsFile);
        fs::remove(reportFile);
        auto form = open();
        if (c.changeTerms) {
            mark(form->termsPage().termView(), 0);
            form->termsPage().RzToolbarButton3Click();
        }
        if (c.changeReport) {
            form->report().appendRow("Google result 1", "http://www.example.com/");
            form->reportChanged();
        }
        prompts.questionAnswers = c.answers;
        prompts.saveAnswers = c.saves;
        EXPECT_EQ(form->close(), c.closed) << c.name;
        Lines questions;
        for (const ScriptedPrompts::Shown& shown : prompts.shown()) {
            if (shown.kind == Kind::Question)
                questions.push_back(shown.text);
        }
        EXPECT_EQ(questions, c.questions) << c.name;
        EXPECT_TRUE(prompts.questionAnswers.empty() && prompts.saveAnswers.empty()) << c.name;
        EXPECT_EQ(fs::exists(termsFile), std::string(c.name) == "terms, Yes") << c.name;
        EXPECT_EQ(fs::exists(reportFile), std::string(c.name) == "report, Yes") << c.name;
    }
}

TEST_F(MainWindowTest, ASavedOrOpenedReportAndAnEmptyOneAskNothing) {
    fx.definition("Google.hdf", "/google?q=#C");
    auto form = open();
    // A run that found nothing to select still reset the grid: nothing to lose.
    form->checkPage().addressBox()->setCurrentText("http://www.example.com/");
    form->submitClick();
    EXPECT_FALSE(form->resultsPage().hasUnsavedReport());

    form->report().appendRow("Google result 1", "http://www.example.com/");
    form->reportChanged();
    EXPECT_TRUE(form->resultsPage().hasUnsavedReport());
    prompts.saveAnswers = {FileDialogResult{fx.dir / "reports" / "r.csv", 1}};
    form->resultsPage().RzToolbarButton13Click();
    EXPECT_FALSE(form->resultsPage().hasUnsavedReport());

    form->resultsPage().model().setData(form->resultsPage().model().index(1, 0), "edited", Qt::EditRole);
    EXPECT_TRUE(form->resultsPage().hasUnsavedReport());
    prompts.openAnswers = {FileDialogResult{fx.dir / "reports" / "r.csv", 1}};
    form->resultsPage().RzToolbarButton12Click();  // not a report file: refused, still unsaved
    EXPECT_TRUE(form->resultsPage().hasUnsavedReport());
    writeGridFile(fx.dir / "reports" / "r.prp", form->report().table());
    prompts.openAnswers = {FileDialogResult{fx.dir / "reports" / "r.prp", 1}};
    form->resultsPage().RzToolbarButton12Click();
    EXPECT_FALSE(form->resultsPage().hasUnsavedReport());
    EXPECT_TRUE(form->close());
}

TEST_F(MainWindowTest, StandardKeysOpenSaveAndPrintWhatThePageShowsAndF1HelpsWithIt) {
    auto form = open();
    form->show();
    QApplication::setActiveWindow(form.get());
    const auto press = [&](QKeySequence::StandardKey key) {
        QTest::keySequence(form.get(), QKeySequence(key));
    };
    const auto lastDialog = [&] { return prompts.fileRequests().back().title; };
    struct Page {
        std::function<void()> show;
        std::string opened;
        std::string saved;
        bool prints;  // only the results have a report to print
        std::string help;
    };
    const Page pages[] = {
        {[] {}, "Open a Search Term File", "Save Search Terms", false, "position-agent-settings"},
        {[&] { form->ReportViewer1Click(); }, "Open Position Report", "Save Position Report", true, "report"},
    };
    for (const Page& page : pages) {
        page.show();
        prompts.openAnswers = {std::nullopt};
        press(QKeySequence::Open);
        EXPECT_EQ(lastDialog(), page.opened);
        prompts.saveAnswers = {std::nullopt};
        press(QKeySequence::Save);
        EXPECT_EQ(lastDialog(), page.saved);
        prompts.printAnswers = {""};
        press(QKeySequence::Print);
        EXPECT_EQ(prompts.printAnswers.empty(), page.prints) << page.help;
        press(QKeySequence::HelpContents);
        EXPECT_EQ(prompts.helpTopics().back(), page.help);
    }

    QTest::keyClick(form.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(MainWindowTest, EveryMenuOpensWithItsOwnAltLetter) {
    auto form = open();
    form->ReportViewer1Click();
    form->restartWizard();
    for (QMenu* menu :
         {form->menu("File"), form->menu("Engines"), form->menu("Check"), form->menu("Results")})
        menu->menuAction()->setVisible(true);
    form->show();
    QApplication::setActiveWindow(form.get());
    std::set<QChar> letters;
    for (QAction* title : form->menuBar()->actions()) {
        const qsizetype amp = title->text().indexOf('&');
        ASSERT_GE(amp, 0) << title->text().toStdString();
        const QChar letter = title->text().at(amp + 1).toLower();
        EXPECT_TRUE(letters.insert(letter).second) << title->text().toStdString();
        QTest::keyClick(form.get(), static_cast<Qt::Key>(letter.toUpper().unicode()), Qt::AltModifier);
        EXPECT_TRUE(title->menu()->isVisible()) << title->text().toStdString();
        title->menu()->hide();
    }
    EXPECT_EQ(letters.size(), 6u);
}

TEST_F(MainWindowTest, TheWindowFitsItsContentAndComesBackWhereItWasLeft) {
    QRect left;
    {
        auto form = open();
        form->show();
        EXPECT_GE(form->width(), 615);
        EXPECT_GE(form->height(), 436);
        const int sentence = form->fontMetrics().averageCharWidth() * 40;
        for (QWidget* page :
             {static_cast<QWidget*>(&form->termsPage()), static_cast<QWidget*>(&form->enginesPage()),
              static_cast<QWidget*>(&form->checkPage())}) {
            form->tabs().setTabVisible(form->tabs().indexOf(page), true);
            form->tabs().setCurrentWidget(page);
            EXPECT_GE(page->findChild<QPlainTextEdit*>("infoPane")->width(), sentence);
        }
        // Every engine name is shown whole, under its column's header.
        QTreeWidget* engines = form->enginesPage().engineView();
        EXPECT_FALSE(engines->isHeaderHidden());
        EXPECT_EQ(engines->headerItem()->text(0), "Site");
        for (int row = 0; row < engines->topLevelItemCount(); ++row) {
            const QString name = engines->topLevelItem(row)->text(0);
            EXPECT_GT(engines->columnWidth(0), engines->fontMetrics().horizontalAdvance(name))
                << name.toStdString();
        }
        form->setGeometry(40, 30, 700, 480);
        left = form->geometry();
        EXPECT_TRUE(form->close());
    }
    auto form = open();
    EXPECT_EQ(form->geometry(), left);
}

TEST_F(MainWindowTest, AMissingProgramFolderIsNamedWithHowToGetOne) {
    const fs::path missing = fx.dir / "moved away";
    ProgramFolder folder(missing);
    TForm1 form(TForm1::Services{folder, store, prompts, pacer, ""});
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].kind, Kind::Error);
    EXPECT_EQ(prompts.shown()[0].text,
              "The program folder " + missing.string() +
                  " does not exist. Set RANQOR_HOME to a ranqor program folder, or start ranqor with "
                  "scripts/ranqor, which builds it and puts its program folder beside it; an installed "
                  "ranqor gives each user a copy of its own.");
    EXPECT_FALSE(fs::exists(missing));
}

TEST_F(MainWindowTest, MemoryThatRunsOutInAHandlerIsToldAndEndsTheProgramWithStatusOne) {
    fx.definition("Google.hdf", "/google?q=#C");
    auto form = open();
    auto* app = static_cast<GuardedApplication*>(QCoreApplication::instance());
    app->setFailureReaction([&form](const std::exception& e) { form->handlerFailed(e); });
    mark(form->termsPage().termView(), 0);
    form->stepOneNext();
    mark(form->enginesPage().engineView(), 15);  // Google
    form->stepTwoNext();
    form->checkPage().addressBox()->setCurrentText("http://www.example.com/");
    form->show();
    QApplication::setActiveWindow(form.get());
    // An allocation that fails while the run lets the window process its events.
    pacer.onProcessEvents = [] { throw std::bad_alloc(); };
    QToolButton* check = form->checkPage().checkButton();
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(4, check->height() / 2));
    app->setFailureReaction(nullptr);

    EXPECT_EQ(prompts.shown().back(),
              (ScriptedPrompts::Shown{Kind::Error,
                                      "Ranqor has run out of memory and must close.\n\r\n\rWork that was not "
                                      "saved is lost."}));
    EXPECT_EQ(endings, std::vector<int>{1});
    EXPECT_TRUE(form->agent().cancelled());
}
