// The robot window without a network: controls of both forms, settings, the start checks,
// Save URL List and the list editors.
#include "sitetools/robotwindow.h"

#include "sitetools/filelistmanager.h"
#include "sitetools/tests/robottestkit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <tuple>

namespace fs = std::filesystem;

namespace {

const char* kRanqorKey = "\\Software\\Orlek\\Ranqor";
const char* kVistralKey = "\\Software\\Orlek\\Vistral";

using Action3 = std::tuple<std::string, std::string, std::string>;  // caption, hint, shortcut

std::vector<Action3> describe(const QList<QAction*>& actions) {
    std::vector<Action3> out;
    for (QAction* a : actions) {
        out.emplace_back(fromDisplay(a->text()), fromDisplay(a->toolTip()),
                         a->shortcut().toString(QKeySequence::PortableText).toStdString());
    }
    return out;
}

std::vector<std::string> items(const QComboBox* box) {
    std::vector<std::string> out;
    for (int i = 0; i < box->count(); ++i)
        out.push_back(fromDisplay(box->itemText(i)));
    return out;
}

class RobotWindowLayout : public RobotWindowTest {};

TEST_F(RobotWindowLayout, BrowseVerificationHasItsControlsMenusAndShortcuts) {
    auto window = ranqor();
    EXPECT_EQ(fromDisplay(window->windowTitle()), "Browse Verification");
    auto* toolbar = window->findChild<QToolBar*>("toolbar");
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(describe(toolbar->actions()),
              (std::vector<Action3>{{"Browse Now", "Browse URL Links", ""},
                                    {"Browse HTTPS", "Browse HTTPS URLs", ""},
                                    {"List Editor", "List Editor (Lookup Lists)", ""},
                                    {"Save URL List", "Save", ""},
                                    {"Exit", "Exit", ""},
                                    {"Help", "Help", ""}}));
    QAction* listEditor = action(*window, "listEditorButton");
    ASSERT_NE(listEditor->menu(), nullptr);
    EXPECT_EQ(describe(listEditor->menu()->actions()),
              (std::vector<Action3>{{"Domain List", "Edit the Domain List", "Ctrl+Shift+F1"},
                                    {"Start File List", "Edit the File List", "Ctrl+Shift+F2"},
                                    {"Exclude List", "Edit the Exclude List", "Ctrl+Shift+F3"}}));
    // The drop-down shows the keys; the window-wide ones are the Edit menu's.
    for (QAction* a : listEditor->menu()->actions())
        EXPECT_EQ(a->shortcutContext(), Qt::WidgetShortcut);
    auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(listEditor));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->popupMode(), QToolButton::MenuButtonPopup);

    QList<QMenu*> menus;
    for (QAction* a : window->findChild<QMenuBar*>("menuBar")->actions())
        menus.push_back(a->menu());
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(fromDisplay(menus[0]->title()), "File");
    EXPECT_EQ(describe(menus[0]->actions()),
              (std::vector<Action3>{{"&Browse Now", "Browse Now", ""},
                                    {"Browse &Secure Now", "Browse Secure Now", ""},
                                    {"Cancel The Current Operation", "Cancel The Current Operation", ""},
                                    {"E&xit", "Exit", ""}}));
    EXPECT_EQ(fromDisplay(menus[1]->title()), "Edit");
    EXPECT_EQ(describe(menus[1]->actions()),
              (std::vector<Action3>{{"&Domain List ...", "Domain List", "Ctrl+Shift+F1"},
                                    {"Start File List", "Start File List", "Ctrl+Shift+F2"},
                                    {"Exclude List", "Exclude List", "Ctrl+Shift+F3"}}));
    for (QAction* a : menus[1]->actions())
        EXPECT_EQ(a->shortcutContext(), Qt::WindowShortcut);
    EXPECT_EQ(fromDisplay(menus[2]->title()), "Help");
    EXPECT_EQ(describe(menus[2]->actions()),
              (std::vector<Action3>{
                  {"Using The Browse Verify Feature", "Using The Browse Verify Feature", "Ctrl+F1"},
                  {"About", "About", "F1"}}));

    EXPECT_EQ(fromDisplay(window->findChild<QGroupBox*>("startGroup")->title()),
              " Starting URL to perform browse Verification ");
    std::vector<std::string> labels;
    for (QLabel* label : window->findChildren<QLabel*>())
        labels.push_back(fromDisplay(label->text()));
    EXPECT_EQ(labels, (std::vector<std::string>{"Domain", "format: http://www.yoursite.com/", "File",
                                                "format: index.html", "Name",
                                                "Current Number of Items in the List =  0", ""}));
    EXPECT_TRUE(window->domainBox()->isEditable());
    EXPECT_TRUE(window->fileBox()->isEditable());
    EXPECT_EQ(items(window->domainBox()),
              (std::vector<std::string>{"http://www.example.com/", "http://www.example.org/"}));
    EXPECT_EQ(items(window->fileBox()), (std::vector<std::string>{"index.html", "default.htm"}));
    EXPECT_EQ(fromDisplay(window->hostOnlyBox()->text()), "Host Only (Do not add external URLs to the List)");
    EXPECT_TRUE(window->hostOnlyBox()->isChecked());
    EXPECT_EQ(fromDisplay(window->renameBox()->text()), "Rename List File (Default is temp)");
    EXPECT_FALSE(window->renameBox()->isChecked());
    EXPECT_EQ(fromDisplay(window->nameEdit()->text()), "temp");
    EXPECT_FALSE(window->nameEdit()->isEnabled());
    EXPECT_EQ(fromDisplay(window->tree()->toolTip()), "Browse Select");
    EXPECT_EQ(window->tree()->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(window->collectedText()->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(window->statusPanel()->parentWidget(), window->findChild<QStatusBar*>("statusBar"));
    EXPECT_EQ(window->findChild<QStatusBar*>("statusBar")->findChildren<QLabel*>().size(), 1);
    EXPECT_EQ(window->startEdit(), nullptr);

    EXPECT_EQ(window->http().UserAgent(), "Orlek Vistral / Robot Path Analysis 1.0");
    EXPECT_EQ(window->https().UserAgent(), "Orlek - Verimane 1.0");
    EXPECT_EQ(window->http().ProxyBypass(), "");
    EXPECT_EQ(window->https().ProxyBypass(), "");
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(RobotWindowLayout, RobotPathAnalysisHasTheStartBoxTheButtonsAndTheTreeOnly) {
    auto window = vistral();
    EXPECT_EQ(fromDisplay(window->windowTitle()), "Vistral [Robot Path Analysis]");
    EXPECT_EQ(describe(window->findChild<QToolBar*>("toolbar")->actions()),
              (std::vector<Action3>{{"Run the Analysis", "Run the Robot Path Analysis", ""},
                                    {"Stop", "Stop the current operation", ""},
                                    {"Exit", "Exit the Robot Path Analysis Window", ""},
                                    {"Help", "Help", ""}}));
    EXPECT_EQ(window->findChild<QMenuBar*>(), nullptr);
    ASSERT_NE(window->startEdit(), nullptr);
    EXPECT_EQ(fromDisplay(window->startEdit()->toolTip()), "URL to start analysis at ");
    EXPECT_EQ(fromDisplay(window->tree()->toolTip()), "Path Analysis");
    EXPECT_EQ(window->domainBox(), nullptr);
    EXPECT_EQ(window->hostOnlyBox(), nullptr);
    EXPECT_EQ(window->countLabel(), nullptr);
    EXPECT_EQ(window->findChild<QPlainTextEdit*>(), nullptr);
    EXPECT_EQ(window->findChild<QComboBox*>(), nullptr);
    EXPECT_EQ(window->http().ProxyBypass(), "80");
    EXPECT_EQ(window->http().UserAgent(), "Orlek Vistral / Robot Path Analysis 1.0");
    // It reads no lists, so none of them is missed.
    fs::remove_all(dir / "My File Lists");
    auto second = vistral();
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(RobotWindowLayout, HelpAndAbout) {
    auto window = ranqor();
    trigger(*window, "helpButton");
    trigger(*window, "helpItem");
    trigger(*window, "aboutItem");
    auto reduced = vistral();
    trigger(*reduced, "helpButton");
    EXPECT_EQ(prompts.helpTopics(), (std::vector<std::string>{"browse-verification", "browse-verification",
                                                              "vistral-robot-path-analysis"}));
    EXPECT_EQ(prompts.shown(), (std::vector<Shown>{{Kind::Message, "Ranqor Browse Verification 1.0"}}));
}

// --- Settings --------------------------------------------------------------------------------

TEST_F(RobotWindowTest, SettingsComeFromTheProgramsKey) {
    struct Case {
        std::optional<std::string> hostOnly;
        bool checked;
    };
    const Case cases[] = {{std::nullopt, true}, {"1", true},    {"0", false},
                          {"", false},          {"yes", false}, {"1 ", false}};
    for (const Case& c : cases) {
        fs::remove(dir / "settings.ini");
        store.writeValue(kRanqorKey, "proxy", "10.0.0.1:8080");
        store.writeValue(kRanqorKey, "puser", "joe");
        store.writeValue(kVistralKey, "proxy", "192.168.1.1");
        if (c.hostOnly)
            store.writeValue(kRanqorKey, "hostonly", *c.hostOnly);
        auto window = ranqor();
        EXPECT_EQ(window->hostOnlyBox()->isChecked(), c.checked) << c.hostOnly.value_or("(none)");
        EXPECT_EQ(window->http().ProxyServer(), "10.0.0.1:8080");
        EXPECT_EQ(window->https().ProxyServer(), "10.0.0.1:8080");
        EXPECT_EQ(window->http().User(), "joe");
        EXPECT_EQ(window->https().User(), "joe");
    }

    auto reduced = vistral();
    EXPECT_EQ(reduced->http().ProxyServer(), "192.168.1.1");
    EXPECT_EQ(reduced->http().User(), "");
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(RobotWindowTest, AMissingKeyLeavesTheDefaultsAndIsNotCreated) {
    store.writeValue("\\Software\\Orlek\\Other", "proxy", "1.2.3.4");
    std::string before = readFileBytes(store.file());
    auto window = ranqor();
    auto reduced = vistral();
    EXPECT_TRUE(window->hostOnlyBox()->isChecked());
    EXPECT_EQ(window->http().ProxyServer(), "");
    EXPECT_EQ(reduced->http().ProxyServer(), "");
    EXPECT_FALSE(store.keyExists(kRanqorKey));
    EXPECT_FALSE(store.keyExists(kVistralKey));
    EXPECT_EQ(readFileBytes(store.file()), before);
}

TEST_F(RobotWindowTest, VistralIgnoresHostOnlyAndTheRanqorKey) {
    store.writeValue(kRanqorKey, "proxy", "10.0.0.1");
    store.writeValue(kVistralKey, "puser", "ann");
    store.writeValue(kVistralKey, "hostonly", "0");
    auto reduced = vistral();
    EXPECT_EQ(reduced->http().ProxyServer(), "");
    EXPECT_EQ(reduced->http().User(), "ann");
}

// --- Starting --------------------------------------------------------------------------------

TEST_F(RobotWindowTest, StartChecksShowTheirMessageAndDoNothingElse) {
    struct Case {
        const char* action;
        std::string domain;
        std::string file;
        std::string message;
    };
    const std::string https = "For HTTPS URLS Please click on the [Browse HTTPS] Button";
    const std::string http = "For HTTP URLS Please click on the [Browse Now] Button";
    const std::string missing = "You must type in a Domain and File to start the analysis";
    const Case cases[] = {
        {"browseNowButton", "https://www.example.com/", "index.html", https},
        {"browseNowItem", "HTTPS://www.example.com/", "", https},
        {"browseNowButton", "", "index.html", missing},
        {"browseNowButton", "http://www.example.com/", "", missing},
        {"browseNowItem", "", "", missing},
        {"browseHttpsButton", "http://www.example.com/", "index.html", http},
        {"browseHttpsButton", "Http://www.example.com/", "", http},
        {"browseHttpsButton", "https://www.example.com/", "", missing},
        {"browseHttpsButton", "", "index.html", missing},
    };
    for (const Case& c : cases) {
        auto window = ranqor();
        window->domainBox()->setEditText(toDisplay(c.domain));
        window->fileBox()->setEditText(toDisplay(c.file));
        prompts.clear();
        trigger(*window, c.action);
        EXPECT_EQ(prompts.shown(), (std::vector<Shown>{{Kind::Message, c.message}}))
            << c.action << " " << c.domain;
        EXPECT_EQ(window->tree()->topLevelItemCount(), 0);
        EXPECT_TRUE(collected.empty());
    }
}

TEST_F(RobotWindowTest, BrowseSecureNowDoesNothing) {
    auto window = ranqor();
    window->domainBox()->setEditText("http://127.0.0.1:1/");
    window->fileBox()->setEditText("index.html");
    trigger(*window, "browseSecureItem");
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(window->tree()->topLevelItemCount(), 0);
}

TEST_F(RobotWindowTest, VistralWantsAStartAddress) {
    auto window = vistral();
    trigger(*window, "runButton");
    // Enter in the box starts as well.
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(window->startEdit(), &enter);
    const Shown message{Kind::Message, "You must type in a BASE URL to start the analysis"};
    EXPECT_EQ(prompts.shown(), (std::vector<Shown>{message, message}));
    EXPECT_EQ(window->tree()->topLevelItemCount(), 0);
}

// --- Save URL List ---------------------------------------------------------------------------

class SaveUrlList : public RobotWindowTest {
protected:
    std::unique_ptr<TForm4> filledWindow() {
        collected = {"http://www.example.com/about.html", "http://www.example.com/docs/page.htm"};
        auto window = ranqor();
        window->collectedText()->setPlainText(
            "http://www.example.com/about.html\nhttp://www.example.com/docs/page.htm");
        auto* root = new QTreeWidgetItem(window->tree());
        root->setText(0, "http://www.example.com/index.html");
        return window;
    }

    static void rename(TForm4& window, const std::string& name) {
        window.renameBox()->setChecked(true);
        window.nameEdit()->setText(toDisplay(name));
    }

    static void expectCleared(TForm4& window) {
        EXPECT_EQ(window.tree()->topLevelItemCount(), 0);
        EXPECT_EQ(window.collectedText()->toPlainText(), "");
        EXPECT_EQ(fromDisplay(window.countLabel()->text()), "Current Number of Items in the List = 0");
    }

    std::vector<std::string> listFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir / "My File Lists"))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    const std::string kSaved =
        "http://www.example.com/about.html\r\nhttp://www.example.com/docs/page.htm\r\n";
};

TEST_F(SaveUrlList, WritesTempFlsByDefault) {
    writeList("temp.fls", "old entry\r\n");
    auto window = filledWindow();
    trigger(*window, "saveButton");
    EXPECT_EQ(readFileBytes(list("temp.fls")), kSaved);
    EXPECT_EQ(
        prompts.shown(),
        (std::vector<Shown>{
            {Kind::Message,
             "The browse has completed and the file list has been saved to My File Lists\\Temp.FLS."}}));
    EXPECT_TRUE(collected.empty());
    expectCleared(*window);
}

TEST_F(SaveUrlList, WritesTheGivenName) {
    auto window = filledWindow();
    rename(*window, "mysite");
    trigger(*window, "saveButton");
    EXPECT_EQ(readFileBytes(list("mysite.fls")), kSaved);
    EXPECT_FALSE(fs::exists(list("temp.fls")));
    EXPECT_EQ(
        prompts.shown(),
        (std::vector<Shown>{
            {Kind::Message,
             "The browse has completed and the file list has been saved to My File Lists\\mysite.FLS."}}));
    EXPECT_TRUE(collected.empty());
    expectCleared(*window);
}

TEST_F(SaveUrlList, CreatesTheListFolderWhenItIsMissing) {
    fs::remove_all(dir / "My File Lists");
    collected = {"http://www.example.com/"};
    auto window = ranqor();
    prompts.clear();
    trigger(*window, "saveButton");
    EXPECT_EQ(readFileBytes(list("temp.fls")), "http://www.example.com/\r\n");
}

TEST_F(SaveUrlList, AnEmptyListShowsNothingAndStillClears) {
    auto window = ranqor();
    window->collectedText()->setPlainText("typed by hand");
    new QTreeWidgetItem(window->tree());
    trigger(*window, "saveButton");
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(listFiles(), (std::vector<std::string>{"domains.lls", "exclude.lls", "startfil.lls"}));
    expectCleared(*window);
}

TEST_F(SaveUrlList, RefusesANameThatLeavesTheListFolder) {
    for (std::string name : {"../escape", "sub/list", "sub\\list", "..", ".", "", "a..b", "/tmp/abs"}) {
        auto window = filledWindow();
        rename(*window, name);
        prompts.clear();
        trigger(*window, "saveButton");
        EXPECT_EQ(
            prompts.shown(),
            (std::vector<Shown>{
                {Kind::Error,
                 "The list name \"" + name +
                     "\" cannot be used: a list name must not be empty or contain \"\\\", \"/\" or \"..\", "
                     "since the list is kept in My File Lists. The list has not been saved."}}))
            << name;
        // Nothing written, and nothing lost: the user may correct the name and save again.
        EXPECT_EQ(listFiles(), (std::vector<std::string>{"domains.lls", "exclude.lls", "startfil.lls"}));
        EXPECT_FALSE(fs::exists(dir / "escape.fls"));
        EXPECT_EQ(collected.size(), 2u);
        EXPECT_EQ(window->tree()->topLevelItemCount(), 1);
    }
}

TEST_F(SaveUrlList, AFailedWriteKeepsTheList) {
    fs::create_directories(list("temp.fls"));
    auto window = filledWindow();
    trigger(*window, "saveButton");
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].kind, Kind::Error);
    EXPECT_TRUE(prompts.shown()[0].text.starts_with("Cannot write ")) << prompts.shown()[0].text;
    EXPECT_EQ(collected.size(), 2u);
    EXPECT_EQ(window->tree()->topLevelItemCount(), 1);
    EXPECT_NE(window->collectedText()->toPlainText(), "");
}

TEST_F(RobotWindowTest, RenameListFileEnablesTheName) {
    auto window = ranqor();
    window->renameBox()->setChecked(true);
    EXPECT_TRUE(window->nameEdit()->isEnabled());
    window->nameEdit()->setText("mysite");
    window->renameBox()->setChecked(false);
    EXPECT_FALSE(window->nameEdit()->isEnabled());
    EXPECT_EQ(fromDisplay(window->nameEdit()->text()), "temp");
}

// --- The lists ----------------------------------------------------------------------------------

TEST_F(RobotWindowTest, AMissingListIsReportedAndLeavesItsBoxEmpty) {
    fs::remove(list("domains.lls"));
    auto window = ranqor();
    EXPECT_EQ(prompts.shown(),
              (std::vector<Shown>{{Kind::Error, "Cannot read " + list("domains.lls").string() +
                                                    ": No such file or directory"}}));
    EXPECT_EQ(window->domainBox()->count(), 0);
    EXPECT_EQ(items(window->fileBox()), (std::vector<std::string>{"index.html", "default.htm"}));

    fs::remove_all(dir / "My File Lists");
    prompts.clear();
    auto bare = ranqor();
    EXPECT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(bare->domainBox()->count(), 0);
    EXPECT_EQ(bare->fileBox()->count(), 0);
    EXPECT_TRUE(bare->isEnabled());
}

TEST_F(RobotWindowTest, ListEditorsOpenTheManagerOnTheirFile) {
    struct Case {
        const char* action;
        std::string file;
        std::string title;
    };
    const Case cases[] = {
        {"listEditorButton", "domains.lls", "Checkora! Web File List Manager: domains.lls"},
        {"domainListItem", "domains.lls", "Checkora! Web File List Manager: domains.lls"},
        {"domainListDropItem", "domains.lls", "Ranqor Web File List Manager: domains.lls"},
        {"startFileListItem", "startfil.lls", "Ranqor Web File List Manager: startfil.lls"},
        {"startFileListDropItem", "startfil.lls", "Ranqor Web File List Manager: startfil.lls"},
        {"excludeListItem", "exclude.lls", "Ranqor Web File List Manager: exclude.lls"},
        {"excludeListDropItem", "exclude.lls", "Ranqor Web File List Manager: exclude.lls"},
    };
    for (const Case& c : cases) {
        auto window = ranqor();
        std::string title, text;
        fs::path file;
        bool modal = false;
        QTimer::singleShot(0, window.get(), [&] {
            auto* manager = window->findChild<Tflsmanage*>();
            ASSERT_NE(manager, nullptr);
            modal = manager->isModal() && manager->isVisible();
            title = fromDisplay(manager->windowTitle());
            text = fromDisplay(manager->editor()->toPlainText());
            file = manager->currentFile();
            manager->close();
        });
        trigger(*window, c.action);
        EXPECT_TRUE(modal) << c.action;
        EXPECT_EQ(title, c.title) << c.action;
        EXPECT_EQ(file, list(c.file)) << c.action;
        EXPECT_EQ(text, replaceAll(readFileBytes(list(c.file)), "\r\n", "\n")) << c.action;
    }
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(RobotWindowTest, TheDomainBoxIsReloadedAfterItsEditorAndTheFileBoxIsNot) {
    auto window = ranqor();
    window->domainBox()->setEditText("http://typed.example/");
    auto editAndSave = [&](const std::string& text) {
        QTimer::singleShot(0, window.get(), [&, text] {
            auto* manager = window->findChild<Tflsmanage*>();
            ASSERT_NE(manager, nullptr);
            manager->editor()->setPlainText(toDisplay(text));
            manager->saveClick();
            manager->close();
        });
    };
    editAndSave("http://new.example/\nhttp://other.example/\n");
    trigger(*window, "domainListDropItem");
    EXPECT_EQ(items(window->domainBox()),
              (std::vector<std::string>{"http://new.example/", "http://other.example/"}));
    EXPECT_EQ(fromDisplay(window->domainBox()->currentText()), "http://typed.example/");

    editAndSave("start.html\n");
    trigger(*window, "startFileListItem");
    EXPECT_EQ(readFileBytes(list("startfil.lls")), "start.html\r\n");
    EXPECT_EQ(items(window->fileBox()), (std::vector<std::string>{"index.html", "default.htm"}));
}

}  // namespace
