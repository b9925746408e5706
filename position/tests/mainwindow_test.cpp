#include "position/mainwindow.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <set>

#include "net/tickhttp.h"
#include "platform/core/settingsstore.h"
#include "platform/pacer.h"
#include "platform/scriptedprompts.h"
#include "platform/tests/modalrecorder.h"
#include "position/checkpage.h"
#include "position/enginespage.h"
#include "position/positionagent.h"
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
    ModalRecorder dialogs;  // the modal dialogs the window opened
    int ended = 0;

    void SetUp() override { copyShippedFolder(fx.dir.path()); }

    std::unique_ptr<TForm1> open() {
        auto form =
            std::make_unique<TForm1>(TForm1::Services{fx.folder, store, prompts, pacer, fx.server.url("")});
        form->setModalRunner(dialogs.runner());
        form->setEndProgram([this] { ++ended; });
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
