#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QToolButton>
#include <QTreeWidget>
#include <set>

#include "net/tests/support/scriptedserver.h"
#include "net/tickhttp.h"
#include "pageprep/readinesspage.h"
#include "pageprep/reportwindow.h"
#include "pageprep/tipspane.h"
#include "pageprep/workfilespage.h"
#include "platform/activitymonitor.h"
#include "platform/core/safefile.h"
#include "platform/enginelistview.h"
#include "sitetools/core/filelist.h"
#include "submission/projecteditor.h"
#include "submission/projectspage.h"
#include "submission/selectenginespage.h"
#include "submission/submitpage.h"
#include "submission/tests/windowfixture.h"

namespace fs = std::filesystem;

namespace {

const char* kKey = "\\Software\\Orlek\\Vistral";
const QStringList kAlwaysMenus = {"&File", "&Tools", "&History", "&Help"};

QStringList withStepMenu(const QString& menu) {
    QStringList menus = kAlwaysMenus;
    menus.insert(1, menu);
    return menus;
}

void tick(QTreeWidget* view, int row) {
    view->topLevelItem(row)->setCheckState(0, Qt::Checked);
}

}  // namespace

using MainWindow = VistralWindowTest;

TEST_F(MainWindow, StartsOnStepOneWithTheFirstProjectChosen) {
    auto form = open();
    EXPECT_EQ(form->windowTitle(), "Vistral by Orlek");
    EXPECT_EQ(visibleTabs(*form), QStringList{"1. Select Project"});
    EXPECT_EQ(activeTab(*form), "1. Select Project");
    EXPECT_EQ(visibleMenus(*form), kAlwaysMenus);
    EXPECT_EQ(form->statusPanel(1), "Ready");
    EXPECT_EQ(form->statusPanel(2), "Select a project to continue");
    EXPECT_EQ(form->statusPanel(3), "Vistral Web Site Promotion Utility");
    EXPECT_EQ(form->projectsPage().chosenProject(), "Base");
    for (TipsPane* pane : form->tipsPanes()) {
        EXPECT_FALSE(pane->toPlainText().isEmpty()) << pane->objectName().toStdString();
        EXPECT_TRUE(pane->isReadOnly());
    }
    EXPECT_TRUE(prompts.shown().empty());

    // The first start creates the values the settings window saves into.
    EXPECT_EQ(store.readValue(kKey, "timeout"), "60");
    EXPECT_EQ(store.readValue(kKey, "proxy"), "");
    EXPECT_EQ(form->watchdogInterval(), 60000);
    EXPECT_EQ(form->geturl().UserAgent(), "Redore Web Browser Beta One");
    EXPECT_EQ(form->GETURL2().UserAgent(), "Orlek - Meta verification Utility");
    EXPECT_EQ(form->geturls().UserAgent(), "Orlek -Secure Verify");
    // The resident windows exist from the start.
    EXPECT_EQ(form->submissionReport().windowTitle(), "Vistral  Report");
    EXPECT_EQ(form->readinessReport().windowTitle(), "Vistral [Meta Tag Analysis (Verimane Module)");
    EXPECT_EQ(form->projectEditor().nameBox()->currentText(), "Base");
}

TEST_F(MainWindow, AMissingTipsFileIsReportedAndSkipsTheRestButNoStepOpens) {
    fs::remove(dir / "tips" / "specifics.txt");
    store.writeValue(kKey, "timeout", "10");
    auto form = open();
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].kind, Kind::Error);
    EXPECT_NE(prompts.shown()[0].text.find("specifics.txt"), std::string::npos);
    EXPECT_EQ(form->watchdogInterval(), 60000);  // the settings were not applied
    EXPECT_EQ(visibleTabs(*form), QStringList{"1. Select Project"});
    EXPECT_EQ(form->projectsPage().projectList()->count(), 1);
}

TEST_F(MainWindow, GetDefaultsHandsTheSettingsToAllThreeComponentsAndTheWatchdog) {
    store.writeValue(kKey, "proxy", "10.0.0.1:8080");
    store.writeValue(kKey, "timeout", "10");
    store.writeValue(kKey, "puser", "ann");
    store.writeValue(kKey, "puserp", "secret");
    auto form = open();
    EXPECT_EQ(form->watchdogInterval(), 10000);
    for (TickHTTP* http : {&form->geturl(), &form->GETURL2(), static_cast<TickHTTP*>(&form->geturls())}) {
        EXPECT_EQ(http->ProxyServer(), "10.0.0.1:8080");
        EXPECT_EQ(http->User(), "ann");
        EXPECT_EQ(http->Password(), "secret");
    }

    // After the settings window: a timeout that is no whole number is an error, and the user and
    // password that follow it are not applied.
    store.writeValue(kKey, "proxy", "10.0.0.2:3128");
    store.writeValue(kKey, "timeout", "ten");
    store.writeValue(kKey, "puser", "bob");
    form->settingsClick();
    EXPECT_EQ(dialogs, Lines{"Vistral - Settings"});
    EXPECT_EQ(prompts.shown().back().kind, Kind::Error);
    EXPECT_EQ(form->geturls().ProxyServer(), "10.0.0.2:3128");
    EXPECT_EQ(form->geturl().User(), "ann");
    EXPECT_EQ(form->watchdogInterval(), 10000);
}

TEST_F(MainWindow, SelectingAProjectOpensItsListsOnStepTwo) {
    makeProject("Shop", "http://www.example.com", WebType::Net, "Travel");
    auto form = open();
    form->projectsPage().projectList()->clearSelection();
    form->selectProjectClick();
    EXPECT_EQ(prompts.shown().back(), (Shown{Kind::Information, "You Must Select a Project to continue"}));

    auto items = form->projectsPage().projectList()->findItems("Shop", Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1);
    form->projectsPage().projectList()->setCurrentItem(items[0]);
    prompts.clear();
    form->selectProjectClick();
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(form->windowTitle(), "Vistral (Shop)");
    EXPECT_EQ(visibleTabs(*form), (QStringList{"1. Select Project", "2. Select File(s)"}));
    EXPECT_EQ(activeTab(*form), "2. Select File(s)");
    EXPECT_EQ(visibleMenus(*form), withStepMenu("Fi&les"));
    EXPECT_EQ(form->statusPanel(2), "ActiveProject: Shop");
    EXPECT_EQ(form->statusPanel(3), "File Selection Screen");
    EXPECT_EQ(form->activeProject().webPath, "http://www.example.com");
    EXPECT_EQ(form->activeProject().webType, WebType::Net);
    EXPECT_EQ(form->submitPage().categoryField()->text(), "Travel");
    EXPECT_EQ(form->filesPage().listName(), "Shop");
    EXPECT_EQ(form->workFiles().entries(), Lines{"MySample.htm"});
    EXPECT_TRUE(form->filesPage().webButton()->isVisibleTo(&form->filesPage()));
}

TEST_F(MainWindow, MissingProjectSettingsAreInternalErrorsAndAnEmptyWebPathAsksForTheEditor) {
    GridTable profile(2, 1);
    writeProjectFiles(folder, "Bare", profile);  // a profile, but no settings
    auto form = open();
    form->projectsPage().setProjects({"Bare"});
    prompts.confirmAnswers = {false};
    form->selectProjectClick();
    const std::string support = ", E-Mail Support: support@orlek.example";
    EXPECT_EQ(
        prompts.shown(),
        (std::vector<Shown>{
            {Kind::Error, "Internal Error, ProjStr" + support},
            {Kind::Error, "Internal Error, WebType" + support},
            {Kind::Error, "Internal Error, Category" + support},
            {Kind::Confirm,
             "Cannot Continue: No Base Web Path Exists!, for the Project: Bare\n\r\n\rDo you want to update "
             "your settings now?"}}));
    EXPECT_EQ(visibleTabs(*form), QStringList{"1. Select Project"});
    EXPECT_TRUE(dialogs.empty());

    // Yes opens the project in the editor, and then its lists.
    prompts.clear();
    prompts.confirmAnswers = {true};
    onDialog = [&](QDialog& dialog) {
        EXPECT_EQ(&dialog, &form->projectEditor());
        EXPECT_EQ(form->projectEditor().nameBox()->currentText(), "Bare");
    };
    form->selectProjectClick();
    EXPECT_EQ(dialogs, Lines{"Vistral - Project Editor"});
    EXPECT_EQ(activeTab(*form), "1. Select Project");
    EXPECT_TRUE(tabVisible(*form, "2. Select File(s)"));
    EXPECT_EQ(form->workFiles().entries(), Lines{"MySample.htm"});
}

TEST_F(MainWindow, TheStepsOpenInTurnAndOnlyTheCurrentStepsMenuShows) {
    makeProject("Shop", "http://www.example.com");
    writeFileList(dir / "My Projects" / "Shop" / "Shop.fls", {"index.htm", "", "about.htm", "news.htm"});
    auto form = open();
    form->projectsPage().setProjects({"Shop"});
    form->selectProjectClick();

    // Next with no page ticked: step 3 becomes visible, the window stays on step 2.
    form->filesNextClick();
    EXPECT_EQ(prompts.shown().back(), (Shown{Kind::Information, "You Must Select a file to continue"}));
    EXPECT_EQ(form->activeFiles(), Lines{"None"});
    EXPECT_TRUE(tabVisible(*form, "3. Search Engine Readiness"));
    EXPECT_EQ(activeTab(*form), "2. Select File(s)");
    EXPECT_EQ(form->statusPanel(2), "P/F: Shop/None");

    form->readinessPage().Memo3()->setPlainText("title");
    form->readinessPage().Memo4()->setPlainText("description");
    tick(form->filesPage().workfiles(), 0);
    tick(form->filesPage().workfiles(), 2);
    form->filesPage().findChild<QToolButton*>("nextButton")->click();
    EXPECT_EQ(form->activeFiles(), (Lines{"index.htm", "news.htm"}));
    EXPECT_EQ(activeTab(*form), "3. Search Engine Readiness");
    EXPECT_EQ(visibleMenus(*form), withStepMenu("&Verify"));
    EXPECT_EQ(form->statusPanel(1), "Ready");
    EXPECT_EQ(form->statusPanel(2), "P/F: Shop/index.htm");
    EXPECT_EQ(form->statusPanel(3), "Select Key Words, Description, and Title");
    EXPECT_EQ(form->readinessPage().Memo3()->toPlainText(), "title");
    EXPECT_TRUE(form->readinessPage().Memo4()->toPlainText().isEmpty());
    EXPECT_EQ(readFileList(dir / "My Projects" / "Shop" / "Shop.fls"),
              (Lines{"index.htm", "", "about.htm", "news.htm"}));

    form->readinessPage().findChild<QToolButton*>("previousButton")->click();
    EXPECT_EQ(activeTab(*form), "2. Select File(s)");
    form->tabs().setCurrentWidget(&form->readinessPage());

    ASSERT_TRUE(form->openEngineStep());
    EXPECT_EQ(activeTab(*form), "4. Select Engines");
    EXPECT_EQ(visibleMenus(*form), withStepMenu("&Engines"));
    EXPECT_EQ(form->statusPanel(2), "Engines Available: 21");
    EXPECT_EQ(form->statusPanel(3), "Engine Selection Screen");
    EngineListView* engines = form->enginesPage().engineView();
    ASSERT_EQ(engines->topLevelItemCount(), 21);
    tick(engines, 1);
    tick(engines, 4);
    tick(engines, 11);

    form->submitPage().activityMonitor()->addLine("an old run");
    item(form->menu("&Engines"), "Next")->trigger();
    EXPECT_EQ(form->selectedEngines(), (Lines{"Excite", "Lycos", "Nerd World"}));
    EXPECT_EQ(activeTab(*form), "5. Submit to Engines");
    EXPECT_EQ(visibleMenus(*form), withStepMenu("&Submission"));
    EXPECT_TRUE(form->submitPage().activityMonitor()->toPlainText().isEmpty());
    SubmitPage& five = form->submitPage();
    EXPECT_EQ(form->statusPanel(1), "Ready");
    EXPECT_EQ(form->statusPanel(3), "Search Engine Submission");
    EXPECT_EQ(five.totalFilesField()->text(), "2 of 3");
    EXPECT_EQ(five.totalEnginesField()->text(), "3 of 21");
    EXPECT_EQ(five.fileCounterField()->text(), "0 of 2");
    EXPECT_EQ(five.engineCounterField()->text(), "0 of 3");
    EXPECT_EQ(five.stepField()->text(), "idle");
    EXPECT_EQ(five.fileAddressField()->text(), "idle");
    EXPECT_EQ(five.engineNameField()->text(), "idle");
    EXPECT_EQ(five.overallBar()->value(), 0);
    EXPECT_EQ(five.statusField(SubmitPage::ProjRow, SubmitPage::ToSubmit)->text(), "6");
    EXPECT_EQ(five.statusField(SubmitPage::FileRow, SubmitPage::ToSubmit)->text(), "3");
    EXPECT_EQ(five.statusField(SubmitPage::FileRow, SubmitPage::Fail)->text(), "0");
    EXPECT_FALSE(five.cancelButton()->isEnabled());

    // A run locks what could change its lists under it, and unlocks it at its end.
    form->setRunControls(true);
    EXPECT_TRUE(five.cancelButton()->isEnabled());
    EXPECT_FALSE(five.submitButton()->isEnabled());
    EXPECT_FALSE(five.settingsButton()->isEnabled());
    for (const char* menu : {"&File", "&Tools", "&History"})
        EXPECT_FALSE(form->menu(menu)->isEnabled()) << menu;
    form->setRunControls(false);
    EXPECT_FALSE(five.cancelButton()->isEnabled());
    EXPECT_TRUE(five.submitButton()->isEnabled());
    EXPECT_TRUE(form->menu("&History")->isEnabled());

    // Previous goes back one step at a time and hides nothing.
    for (const char* step :
         {"4. Select Engines", "3. Search Engine Readiness", "2. Select File(s)", "1. Select Project"}) {
        form->previousClick();
        EXPECT_EQ(activeTab(*form), step);
    }
    EXPECT_EQ(visibleTabs(*form).size(), 5);
    EXPECT_EQ(visibleMenus(*form), kAlwaysMenus);

    // Entering step 4 again through step 3 clears the ticks.
    form->openEngineStep();
    EXPECT_TRUE(form->enginesPage().addActiveEngs().empty());

    // Selecting a project hides steps 3 to 5; deleting the last pages hides 2 to 5.
    form->selectProjectClick();
    EXPECT_EQ(visibleTabs(*form), (QStringList{"1. Select Project", "2. Select File(s)"}));
    prompts.confirmAnswers = {true};
    form->filesPage().WorkFilesSelectAll();
    form->filesPage().deleteFilesClick();
    EXPECT_EQ(visibleTabs(*form), QStringList{"1. Select Project"});
    EXPECT_EQ(activeTab(*form), "1. Select Project");
}

TEST_F(MainWindow, AMissingCatalogKeepsStepFourClosed) {
    fs::remove(dir / "engines" / "engines.txt");
    auto form = open();
    EXPECT_FALSE(form->openEngineStep());
    EXPECT_EQ(prompts.shown().back(),
              (Shown{Kind::Error, "File " + (dir / "engines" / "engines.txt").string() + " not found"}));
    EXPECT_FALSE(tabVisible(*form, "4. Select Engines"));
}

TEST_F(MainWindow, DeletingAProjectRemovesItsListsAndProfileAfterItsQuestion) {
    makeProject("Shop", "http://www.example.com");
    writeFileList(dir / "My Projects" / "Shop" / "notes.txt", {"kept"});
    auto form = open();
    const std::string question =
        "Do you really want to delete the Project: Shop \r\rThis Cannot be undone   Continue?";

    form->projectsPage().projectList()->clearSelection();
    form->deleteProjectClick();
    EXPECT_EQ(prompts.shown().back(),
              (Shown{Kind::Information, "You must select a Project in order to remove it."}));
    for (const char* base : {"Base", "base", "BASE"}) {
        form->projectsPage().setProjects({base});
        form->deleteProjectClick();
        EXPECT_EQ(prompts.shown().back(), (Shown{Kind::Information, "You can not delete the Base project"}));
    }
    EXPECT_TRUE(fs::exists(dir / "My Profiles" / "Base.rpf"));

    form->projectsPage().setProjects({"Shop"});
    form->selectProjectClick();
    prompts.confirmAnswers = {false};
    form->deleteProjectClick();
    EXPECT_EQ(prompts.shown().back(), (Shown{Kind::Confirm, question}));
    EXPECT_TRUE(fs::exists(dir / "My Profiles" / "Shop.rpf"));

    prompts.confirmAnswers = {true};
    form->deleteProjectClick();
    EXPECT_FALSE(fs::exists(dir / "My Profiles" / "Shop.rpf"));
    EXPECT_FALSE(fs::exists(dir / "My Projects" / "Shop" / "Shop.fls"));
    EXPECT_FALSE(fs::exists(dir / "My Projects" / "Shop" / "Shop.key"));
    EXPECT_TRUE(fs::exists(dir / "My Projects" / "Shop" / "notes.txt"));
    EXPECT_EQ(store.readValue(kKey, "Shop"), "http://www.example.com");
    EXPECT_EQ(visibleTabs(*form), QStringList{"1. Select Project"});
    EXPECT_EQ(form->projectsPage().chosenProject(), "Base");
    EXPECT_EQ(form->activeProject().name, "Shop");  // the active project stays until another is selected

    // A project without its folder: one message per kind of file, and the profile still goes.
    makeProject("Gone", "http://www.example.com");
    fs::remove_all(dir / "My Projects" / "Gone");
    form->projectsPage().setProjects({"Gone"});
    prompts.clear();
    prompts.confirmAnswers = {true};
    form->deleteProjectClick();
    const Shown invalid{Kind::Error, "Invalid Directory - " + (dir / "My Projects" / "Gone").string()};
    EXPECT_EQ(shownSince(1), (std::vector<Shown>{invalid, invalid, invalid, invalid}));
    EXPECT_FALSE(fs::exists(dir / "My Profiles" / "Gone.rpf"));
}

TEST_F(MainWindow, ThePageTipEditorRewritesTheFivePanesFiles) {
    writeFileAtomically(dir / "tips" / "six.txt", "Step five\nin LF lines\n");
    auto form = open();
    form->pageTipEditorClick();
    QAction* toggle = item(form->menu("&Tools"), "Editing Tips - Select this option to Save");
    for (TipsPane* pane : form->tipsPanes())
        EXPECT_FALSE(pane->isReadOnly());
    form->tipsPanes()[0]->setPlainText("New tip for projects");
    toggle->trigger();
    EXPECT_EQ(toggle->text(), "Page Tip Editor");
    EXPECT_EQ(file("tips/projects.txt"), "New tip for projects");
    EXPECT_EQ(file("tips/six.txt"), "Step five\r\nin LF lines\r\n");
    for (TipsPane* pane : form->tipsPanes())
        EXPECT_TRUE(pane->isReadOnly());

    // A file that cannot be written is reported and the panes stay editable.
    fs::remove(dir / "tips" / "submission.txt");
    fs::create_directories(dir / "tips" / "submission.txt");
    form->pageTipEditorClick();
    form->pageTipEditorClick();
    EXPECT_EQ(prompts.shown().back().kind, Kind::Error);
    EXPECT_FALSE(form->tipsPanes()[4]->isReadOnly());
}

TEST_F(MainWindow, GoToUrlOpensTheHighlightedEnginesPage) {
    auto form = open();
    form->openEngineStep();
    EngineListView* engines = form->enginesPage().engineView();
    engines->clearSelection();
    form->enginesPage().gotoUrlClick();
    EXPECT_EQ(
        prompts.shown().back(),
        (Shown{Kind::Information,
               "You must click on the name of the engine to continue\n\r\n\rClick on the name of an engine, "
               "the name will appear highlighted.\n\rThen click on the [Goto URL] button"}));
    engines->setCurrentItem(engines->topLevelItem(4));
    item(form->menu("&Engines"), "Go to URL")->trigger();
    EXPECT_EQ(prompts.urls(), Lines{"http://www.lycos.com/addasite.html"});

    // A highlighted engine without a row of its own in the lookup table opens nothing.
    writeFileAtomically(dir / "engines" / "engines.txt", "2,1\r\n0,0, Lycos \r\n1,0, http://lycos/add \r\n");
    form->openEngineStep();
    engines->setCurrentItem(engines->topLevelItem(0));
    form->enginesPage().gotoUrlClick();
    EXPECT_EQ(prompts.urls().size(), 1u);
}

TEST_F(MainWindow, TheToolsOpenTheirWindowsAndTheListEditorReloadsTheCatalog) {
    auto form = open();
    form->openEngineStep();
    tick(form->enginesPage().engineView(), 0);
    for (const char* tool : {"Robot Path &Analysis...", "File List Manager...",
                             "Search Engine Interrogator...", "Project Editor..."}) {
        item(form->menu("&Tools"), tool)->trigger();
    }
    item(form->menu("&History"), "Submissions ...")->trigger();
    item(form->menu("&Tools"), "Submission List Edit...")->trigger();
    EXPECT_EQ(dialogs, (Lines{"Vistral [Robot Path Analysis]", "Vistral - File List Manager",
                              "Search Engine Interrogator", "Vistral - Project Editor",
                              "Vistral - Submission History Viewer - No File Loaded",
                              "Submission List Editor - Developer Edition"}));
    EXPECT_EQ(prompts.shown().back().kind, Kind::Warning);
    EXPECT_TRUE(prompts.shown().back().text.starts_with(
        "Warning, Engine list edit should be completed with extreme caution!\n\r\n\r"));
    EXPECT_TRUE(form->enginesPage().addActiveEngs().empty());
}

TEST_F(MainWindow, EveryHelpTopicTheWindowOpensHasItsPage) {
    auto form = open();
    for (QAction* action : form->menu("&Help")->actions()) {
        if (!action->isSeparator() && action->text() != "About...")
            action->trigger();
    }
    for (QWidget* page :
         {static_cast<QWidget*>(&form->projectsPage()), static_cast<QWidget*>(&form->filesPage()),
          static_cast<QWidget*>(&form->readinessPage()), static_cast<QWidget*>(&form->enginesPage()),
          static_cast<QWidget*>(&form->submitPage())}) {
        page->findChild<QToolButton*>("helpButton")->click();
    }
    onDialog = [](QDialog& dialog) {
        for (QObject* child : dialog.findChildren<QObject*>()) {
            if (child->objectName() == "helpItem" || child->objectName() == "helpButton") {
                if (auto* action = qobject_cast<QAction*>(child))
                    action->trigger();
                else if (auto* button = qobject_cast<QAbstractButton*>(child))
                    button->click();
            }
        }
    };
    for (const char* tool : {"Robot Path &Analysis...", "File List Manager...",
                             "Search Engine Interrogator...", "Settings..."}) {
        item(form->menu("&Tools"), tool)->trigger();
    }
    item(form->menu("&History"), "Submissions ...")->trigger();
    item(form->menu("&Tools"), "Submission List Edit...")->trigger();
    onDialog(form->submissionReport());
    onDialog(form->readinessReport());

    const std::set<std::string> topics(prompts.helpTopics().begin(), prompts.helpTopics().end());
    EXPECT_EQ(topics.size(), 16u);
    for (const std::string& topic : topics)
        EXPECT_TRUE(fs::exists(fs::path(VISTRAL_DATA_DIR) / "help" / (topic + ".html"))) << topic;
    EXPECT_EQ(prompts.urls(), (Lines{"http://www.orlek.example/", "http://www.orlek.example/order.html"}));
}

TEST_F(MainWindow, TheCatalogUpdateLoadsTheNewCatalogIntoStepFourAndEndsTheProgram) {
    ScriptedServer server;
    server.script("/updatevistralfp/engines.txt",
                  ScriptedResponse::ok("2,2\r\n0,0,Excite\r\n1,0,http://excite/add\r\n0,1,Lycos\r\n"));
    server.script("/updatevistralfp/Excite.hdf", ScriptedResponse::ok("1\r\nhttp://excite/?u=#H\r\n"));
    server.script("/updatevistralfp/Lycos.hdf", ScriptedResponse::ok("1\r\nhttp://lycos/?u=#H\r\n"));
    updateServer = server.url("");
    auto form = open();
    form->geturl().setTimeout(10);
    form->openEngineStep();
    prompts.confirmAnswers = {true};
    form->enginesPage().findChild<QToolButton*>("updateButton")->click();
    EXPECT_EQ(form->enginesPage().engineView()->topLevelItemCount(), 2);
    EXPECT_EQ(file("edata/Lycos.hdf"), "1\r\nhttp://lycos/?u=#H\r\n");
    EXPECT_EQ(form->statusPanel(3), "Engine Update Complete");
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(exitStatus, 0);
}

TEST_F(MainWindow, AHandlerThatFailedIsToldAndEndsTheProgramWithStatusOne) {
    auto form = open();
    form->handlerFailed(std::bad_alloc());
    EXPECT_EQ(
        prompts.shown().back(),
        (Shown{Kind::Error,
               "Vistral has run out of memory and must close.\n\r\n\rWork that was not saved is lost."}));
    form->handlerFailed(std::runtime_error("disk gone"));
    EXPECT_EQ(prompts.shown().back(),
              (Shown{Kind::Error, "Vistral must close after an unexpected error: disk gone"}));
    EXPECT_EQ(ended, 2);
    EXPECT_EQ(exitStatus, 1);
}
