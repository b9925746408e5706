#include "sitetools/filelistmanager.h"

#include "platform/core/programfolder.h"
#include "platform/core/safefile.h"
#include "platform/displaytext.h"
#include "platform/scriptedprompts.h"
#include "platform/tests/tempdir.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <tuple>

namespace fs = std::filesystem;

namespace {

using Kind = ScriptedPrompts::Kind;
using Shown = ScriptedPrompts::Shown;
using namespace std::string_literals;

const std::string kQuestion = "Information:  File has Changed \r\r Do you want to save before Closing??";
const std::string kBadName =
    "A list name cannot contain \"\\\", \"/\" or \"..\": the list is kept in My File Lists. "
    "Please choose another name.";

class ManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir / "My File Lists");
        writeFileAtomically(dir / "tips" / "fmanage.txt", "One entry per line.\r\nSave with Ctrl+S.");
    }

    std::unique_ptr<Tflsmanage> open(
        const FileListManagerVariant& variant = FileListManagerVariant::ranqor()) {
        return std::make_unique<Tflsmanage>(folder, prompts, variant);
    }

    static void trigger(Tflsmanage& window, const char* name) {
        QAction* action = window.findChild<QAction*>(name);
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }

    static std::string text(const Tflsmanage& window) { return fromDisplay(window.editor()->toPlainText()); }
    // Replaces the editor's text as a user would, so it counts as an edit.
    static void type(Tflsmanage& window, const QString& text) {
        window.editor()->selectAll();
        window.editor()->insertPlainText(text);
    }
    static std::string title(const Tflsmanage& window) { return fromDisplay(window.windowTitle()); }

    fs::path list(const std::string& name) const { return dir / "My File Lists" / name; }

    // Every file below the program folder, so a test can tell that nothing else was written.
    std::vector<std::string> files() const {
        std::vector<std::string> out;
        for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
            if (entry.is_regular_file())
                out.push_back(fs::relative(entry.path(), dir.path()).string());
        }
        std::sort(out.begin(), out.end());
        return out;
    }

    TempDir dir;
    ProgramFolder folder{dir.path()};
    ScriptedPrompts prompts;
};

// --- What each variant shows -----------------------------------------------------------------

struct Layout {
    const FileListManagerVariant* variant;
    std::string title;
    // toolbar object name, hint, caption ("" for a glyph only)
    std::vector<std::tuple<std::string, std::string, std::string>> toolbar;
    std::vector<std::string> absentButtons;
    std::vector<std::pair<std::string, std::vector<std::string>>> menus;  // title, item captions
    bool scrollBars;
};

void PrintTo(const Layout& layout, std::ostream* out) {
    *out << layout.title;
}

class ManagerLayout : public ManagerTest, public ::testing::WithParamInterface<Layout> {};

TEST_P(ManagerLayout, ShowsItsTitleToolbarMenusAndHint) {
    const Layout& expected = GetParam();
    auto window = open(*expected.variant);
    EXPECT_EQ(title(*window), expected.title);
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(fromDisplay(window->hintPane()->toPlainText()), "One entry per line.\nSave with Ctrl+S.");
    EXPECT_TRUE(window->hintPane()->isReadOnly());
    EXPECT_FALSE(window->editor()->isReadOnly());

    auto* toolbar = window->findChild<QToolBar*>("toolbar");
    ASSERT_NE(toolbar, nullptr);
    std::vector<std::tuple<std::string, std::string, std::string>> buttons;
    for (QAction* action : toolbar->actions()) {
        auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(action));
        ASSERT_NE(button, nullptr);
        bool captioned = button->toolButtonStyle() != Qt::ToolButtonIconOnly;
        buttons.emplace_back(action->objectName().toStdString(), fromDisplay(action->toolTip()),
                             captioned ? fromDisplay(action->text()) : "");
    }
    EXPECT_EQ(buttons, expected.toolbar);
    for (const std::string& name : expected.absentButtons) {
        EXPECT_EQ(window->findChild<QAction*>(QString::fromStdString(name)), nullptr) << name;
    }

    auto* menuBar = window->findChild<QMenuBar*>("menuBar");
    ASSERT_NE(menuBar, nullptr);
    std::vector<std::pair<std::string, std::vector<std::string>>> menus;
    for (QAction* menuAction : menuBar->actions()) {
        std::vector<std::string> items;
        for (QAction* item : menuAction->menu()->actions())
            items.push_back(fromDisplay(item->text()));
        menus.emplace_back(fromDisplay(menuAction->text()), items);
    }
    EXPECT_EQ(menus, expected.menus);

    Qt::ScrollBarPolicy policy = expected.scrollBars ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    EXPECT_EQ(window->editor()->verticalScrollBarPolicy(), policy);
    EXPECT_EQ(window->editor()->horizontalScrollBarPolicy(), policy);
    EXPECT_EQ(window->editor()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, ManagerLayout,
    ::testing::Values(Layout{&FileListManagerVariant::ranqor(),
                             "Ranqor - Web File List Manager",
                             {{"newButton", "Create a new File List", ""},
                              {"openButton", "Open an Existing File List", ""},
                              {"saveButton", "Save your file list", ""},
                              {"saveAsButton", "Save File List as", ""},
                              {"cutButton", "Cut", ""},
                              {"copyButton", "Copy", ""},
                              {"pasteButton", "Paste", ""},
                              {"undoButton", "Undo", "Undo"},
                              {"copyAllButton", "Copy All", ""},
                              {"helpButton", "Help with the File List Manager", "Help"},
                              {"exitButton", "Exit the File List Manager", "Exit"}},
                             {},
                             {{"&File",
                               {"&New ...", "&Open ...", "&Save", "Save &as ...", "&Close", "E&xit"}},
                              {"Edit", {"Cu&t", "&Copy", "&Paste", "Se&lect All", "Select &None"}},
                              {"Specia&l", {"Edit Window Hint"}},
                              {"&Help", {"Web List Manager Features", "About"}}},
                             true},
                      Layout{&FileListManagerVariant::vistral(),
                             "Vistral - File List Manager",
                             {{"newButton", "Create a new File List", "New List"},
                              {"openButton", "Open an Existing File List", "Open List"},
                              {"saveButton", "Save your file list", "Save List"},
                              {"exitButton", "Exit the File List Manager", "Exit"},
                              {"helpButton", "Help with the File List Manager", "Help"}},
                             {"saveAsButton", "cutButton", "copyButton", "pasteButton", "undoButton",
                              "copyAllButton", "closeItem", "cutItem", "selectAllItem"},
                             {{"&File", {"New ...", "&Open ...", "&Save", "Save &as ...", "E&xit"}},
                              {"Specia&l", {"Edit Window Hint"}},
                              {"&Help", {"Using The File List Manager", "About"}}},
                             false}),
    [](const auto& info) { return info.index == 0 ? "Ranqor" : "Vistral"; });

TEST_F(ManagerTest, AMissingHintFileIsReportedAndTheWindowOpensWithAnEmptyPane) {
    fs::remove(dir / "tips" / "fmanage.txt");
    auto window = open();
    EXPECT_EQ(prompts.shown(),
              (std::vector<Shown>{{Kind::Error, "Cannot read " + (dir / "tips" / "fmanage.txt").string() +
                                                    ": No such file or directory"}}));
    EXPECT_EQ(window->hintPane()->toPlainText(), "");
    EXPECT_EQ(title(*window), "Ranqor - Web File List Manager");
    window->editor()->setPlainText("still works");
    prompts.inputAnswers.push_back("after");
    trigger(*window, "newItem");
    EXPECT_EQ(readFileBytes(list("after.fls")), "still works");
}

// --- New ---------------------------------------------------------------------------------------

struct NewCase {
    const FileListManagerVariant* variant;
    std::string inputCaption;
    std::string titlePrefix;
};

void PrintTo(const NewCase& c, std::ostream* out) {
    *out << c.inputCaption;
}

class ManagerNew : public ManagerTest, public ::testing::WithParamInterface<NewCase> {};

TEST_P(ManagerNew, StoresThePresentTextUnderTheNameAndKeepsTheEditor) {
    auto window = open(*GetParam().variant);
    window->editor()->setPlainText("http://a.example/\nhttp://b.example/\n");
    prompts.inputAnswers.push_back("mysite");
    trigger(*window, "newButton");

    EXPECT_EQ(prompts.inputCaptions(), std::vector<std::string>{GetParam().inputCaption});
    EXPECT_EQ(prompts.shown(), (std::vector<Shown>{{Kind::Input, "Enter in List name"},
                                                   {Kind::Message, "File Created Successfully"}}));
    EXPECT_EQ(readFileBytes(list("mysite.fls")), "http://a.example/\r\nhttp://b.example/\r\n");
    EXPECT_EQ(window->currentFile(), list("mysite.fls"));
    EXPECT_EQ(title(*window), GetParam().titlePrefix + "mysite.fls");
    EXPECT_EQ(text(*window), "http://a.example/\nhttp://b.example/\n");
}

INSTANTIATE_TEST_SUITE_P(Variants, ManagerNew,
                         ::testing::Values(NewCase{&FileListManagerVariant::ranqor(), "Create New File List",
                                                   "Ranqor Web File List Manager: "},
                                           NewCase{&FileListManagerVariant::vistral(), "Create New File list",
                                                   "Vistral File List Manager: "}),
                         [](const auto& info) { return info.index == 0 ? "Ranqor" : "Vistral"; });

TEST_F(ManagerTest, NewWithTheNameOfAnExistingListReplacesItWithoutAsking) {
    writeFileAtomically(list("old.fls"), "first\r\nsecond\r\n");
    auto window = open();
    window->editor()->setPlainText("replacement");
    prompts.inputAnswers.push_back("old");
    trigger(*window, "newItem");
    EXPECT_EQ(readFileBytes(list("old.fls")), "replacement");
    EXPECT_EQ(prompts.shown().back(), (Shown{Kind::Message, "File Created Successfully"}));
}

TEST_F(ManagerTest, NewWithoutANameWritesNothing) {
    auto window = open();
    window->editor()->setPlainText("text");
    for (std::optional<std::string> answer :
         {std::optional<std::string>(), std::optional<std::string>(""), std::optional<std::string>(" "),
          std::optional<std::string>("\x01name"), std::optional<std::string>("\tname")}) {
        prompts.inputAnswers.push_back(answer);
        trigger(*window, "newItem");
    }
    EXPECT_EQ(files(), std::vector<std::string>{"tips/fmanage.txt"});
    EXPECT_EQ(prompts.shown().size(), 5u);  // the five input boxes, nothing else
    EXPECT_TRUE(window->currentFile().empty());
}

TEST_F(ManagerTest, NewRefusesANameThatLeadsOutOfTheListFolder) {
    auto window = open();
    window->editor()->setPlainText("text");
    for (const char* name : {"../escape", "..", "a/b", "a\\b", "sub\\..\\..\\x", "/tmp/x", "a..b"}) {
        prompts.clear();
        prompts.inputAnswers.push_back(std::string(name));
        trigger(*window, "newItem");
        EXPECT_EQ(prompts.shown(),
                  (std::vector<Shown>{{Kind::Input, "Enter in List name"}, {Kind::Error, kBadName}}))
            << name;
    }
    EXPECT_EQ(files(), std::vector<std::string>{"tips/fmanage.txt"});
    EXPECT_FALSE(fs::exists(dir.path().parent_path() / "escape.fls"));
    EXPECT_TRUE(window->currentFile().empty());
    EXPECT_EQ(title(*window), "Ranqor - Web File List Manager");
}

// --- Open --------------------------------------------------------------------------------------

TEST_F(ManagerTest, OpenLoadsTheListWhateverItsBreaks) {
    writeFileAtomically(list("lf.fls"), "a\nb\rc\r\n\r\nlast\0ignored"s);
    for (const auto* variant : {&FileListManagerVariant::ranqor(), &FileListManagerVariant::vistral()}) {
        prompts.clear();
        auto window = open(*variant);
        prompts.openAnswers.push_back(FileDialogResult{list("lf.fls"), 1});
        trigger(*window, "openItem");
        ASSERT_EQ(prompts.fileRequests().size(), 1u);
        const FileDialogRequest& request = prompts.fileRequests()[0];
        EXPECT_EQ(request.filter, variant == &FileListManagerVariant::ranqor() ? "Orlek File List|*.fls"
                                                                               : "Vistral File List|*.fls");
        EXPECT_EQ(request.startFolder, dir / "My File Lists");
        EXPECT_EQ(text(*window), "a\nb\nc\n\nlast");
        EXPECT_EQ(window->currentFile(), list("lf.fls"));
        EXPECT_EQ(title(*window), variant->titlePrefix + "lf.fls");
        EXPECT_TRUE(prompts.shown().empty());
    }
}

TEST_F(ManagerTest, OpenCancelledOrFailingKeepsTheEditorAndTheCurrentFile) {
    writeFileAtomically(list("first.fls"), "kept\r\n");
    auto window = open();
    window->openOn(list("first.fls"), "Ranqor Web File List Manager: ");
    prompts.openAnswers.push_back(std::nullopt);
    trigger(*window, "openButton");
    prompts.openAnswers.push_back(FileDialogResult{list("missing.fls"), 1});
    trigger(*window, "openButton");
    EXPECT_EQ(prompts.shown(),
              (std::vector<Shown>{{Kind::Error, "Cannot read " + list("missing.fls").string() +
                                                    ": No such file or directory"}}));
    EXPECT_EQ(text(*window), "kept\n");
    EXPECT_EQ(window->currentFile(), list("first.fls"));
    EXPECT_EQ(title(*window), "Ranqor Web File List Manager: first.fls");
}

TEST_F(ManagerTest, OpenedOnAFileWithAPrefixKeepsThePrefixForLaterTitles) {
    writeFileAtomically(list("domains.lls"), "http://www.example.com/\r\n");
    writeFileAtomically(list("other.fls"), "x");
    auto window = open();
    window->openOn(list("domains.lls"), "Checkora! Web File List Manager: ");
    EXPECT_EQ(title(*window), "Checkora! Web File List Manager: domains.lls");
    EXPECT_EQ(text(*window), "http://www.example.com/\n");

    window->editor()->setPlainText("http://www.example.com/\nhttp://www.example.org/");
    trigger(*window, "saveButton");
    EXPECT_EQ(readFileBytes(list("domains.lls")), "http://www.example.com/\r\nhttp://www.example.org/");

    prompts.openAnswers.push_back(FileDialogResult{list("other.fls"), 1});
    trigger(*window, "openItem");
    EXPECT_EQ(title(*window), "Checkora! Web File List Manager: other.fls");
}

TEST_F(ManagerTest, OpenedOnAMissingListReportsItAndSaveCreatesIt) {
    auto window = open();
    window->openOn(list("exclude.lls"), "Ranqor Web File List Manager: ");
    EXPECT_EQ(prompts.shown(),
              (std::vector<Shown>{{Kind::Error, "Cannot read " + list("exclude.lls").string() +
                                                    ": No such file or directory"}}));
    EXPECT_EQ(title(*window), "Ranqor Web File List Manager: exclude.lls");
    window->editor()->setPlainText(".gif\n.jpg\n");
    trigger(*window, "saveItem");
    EXPECT_EQ(readFileBytes(list("exclude.lls")), ".gif\r\n.jpg\r\n");
}

TEST_F(ManagerTest, TheEditorGivesBackTheBytesItWasLoadedWith) {
    const std::string bytes =
        "caf\xC3\xA9\r\nno\xC2\xA0"
        "break\r\n\r\n";
    writeFileAtomically(list("utf8.fls"), bytes);
    auto window = open();
    window->openOn(list("utf8.fls"), "Ranqor Web File List Manager: ");
    trigger(*window, "saveItem");
    EXPECT_EQ(readFileBytes(list("utf8.fls")), bytes);
}

TEST_F(ManagerTest, AnEditKeepsTheStoredBytesOfTheLinesLeftAsTheyWere) {
    // Windows-1252 lines are shown as their letters; saving must not rewrite them as UTF-8.
    writeFileAtomically(list("old.fls"), "http://www.caf\xE9.example/\r\nhttp://a.example/\r\n");
    auto window = open();
    window->openOn(list("old.fls"), "Ranqor Web File List Manager: ");
    window->editor()->appendPlainText("http://b.example/");
    trigger(*window, "saveItem");
    EXPECT_EQ(readFileBytes(list("old.fls")),
              "http://www.caf\xE9.example/\r\nhttp://a.example/\r\n\r\nhttp://b.example/");
}

// --- Save and Save under another name -----------------------------------------------------------

TEST_F(ManagerTest, SaveWritesTheCurrentFileAndConfirms) {
    writeFileAtomically(list("a.fls"), "");
    struct Case {
        const FileListManagerVariant* variant;
        Kind box;
    };
    for (const Case& c : {Case{&FileListManagerVariant::ranqor(), Kind::Information},
                          Case{&FileListManagerVariant::vistral(), Kind::Message}}) {
        prompts.clear();
        auto window = open(*c.variant);
        window->openOn(list("a.fls"), c.variant->titlePrefix);
        window->editor()->setPlainText("one\ntwo");
        trigger(*window, "saveButton");
        EXPECT_EQ(readFileBytes(list("a.fls")), "one\r\ntwo");
        window->editor()->appendPlainText("three\n");
        trigger(*window, "saveItem");
        EXPECT_EQ(readFileBytes(list("a.fls")), "one\r\ntwo\r\nthree\r\n");
        EXPECT_EQ(prompts.shown(), (std::vector<Shown>{{c.box, "File Saved Successfully"},
                                                       {c.box, "File Saved Successfully"}}));
    }
}

TEST_F(ManagerTest, RanqorSaveWithoutAFileAsksForOneAndCancelWritesNothing) {
    auto window = open();
    window->editor()->setPlainText("x");
    prompts.saveAnswers.push_back(std::nullopt);
    trigger(*window, "saveButton");
    ASSERT_EQ(prompts.fileRequests().size(), 1u);
    EXPECT_EQ(prompts.fileRequests()[0].filter, "Checkora! File List|*.fls");
    EXPECT_EQ(prompts.fileRequests()[0].fileName, "New File List");
    EXPECT_EQ(prompts.fileRequests()[0].startFolder, dir / "My File Lists");
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(files(), std::vector<std::string>{"tips/fmanage.txt"});

    prompts.saveAnswers.push_back(FileDialogResult{list("chosen.fls"), 1});
    trigger(*window, "saveItem");
    EXPECT_EQ(readFileBytes(list("chosen.fls")), "x");
    EXPECT_EQ(window->currentFile(), list("chosen.fls"));
    EXPECT_EQ(title(*window), "Ranqor Web File List Manager: chosen.fls");
    EXPECT_EQ(prompts.fileRequests()[1].fileName, "New File List");
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(ManagerTest, VistralSaveWithoutAFileReportsTheWriteError) {
    auto window = open(FileListManagerVariant::vistral());
    window->editor()->setPlainText("x");
    trigger(*window, "saveButton");
    EXPECT_EQ(prompts.shown(),
              (std::vector<Shown>{{Kind::Error, "Cannot write the file list: no file name was given"}}));
    EXPECT_TRUE(prompts.fileRequests().empty());
    EXPECT_EQ(files(), std::vector<std::string>{"tips/fmanage.txt"});
}

TEST_F(ManagerTest, SaveAsPresetsTheCurrentFile) {
    writeFileAtomically(list("a.fls"), "a");
    for (const auto* variant : {&FileListManagerVariant::ranqor(), &FileListManagerVariant::vistral()}) {
        prompts.clear();
        auto window = open(*variant);
        prompts.saveAnswers.push_back(std::nullopt);
        trigger(*window, "saveAsItem");
        window->openOn(list("a.fls"), variant->titlePrefix);
        prompts.saveAnswers.push_back(FileDialogResult{list("b.fls"), 1});
        trigger(*window, "saveAsItem");
        ASSERT_EQ(prompts.fileRequests().size(), 2u);
        EXPECT_EQ(prompts.fileRequests()[0].fileName, variant->saveAsDefaultName);
        EXPECT_EQ(prompts.fileRequests()[1].fileName, list("a.fls").string());
        EXPECT_EQ(prompts.fileRequests()[1].filter, variant->saveAsFilter);
        EXPECT_EQ(readFileBytes(list("b.fls")), "a");
        EXPECT_EQ(window->currentFile(), list("b.fls"));
    }
    EXPECT_EQ(FileListManagerVariant::vistral().saveAsDefaultName, "");
}

TEST_F(ManagerTest, SaveAsThatCannotWriteKeepsTheCurrentFile) {
    writeFileAtomically(list("a.fls"), "a");
    auto window = open();
    window->openOn(list("a.fls"), "Ranqor Web File List Manager: ");
    prompts.saveAnswers.push_back(FileDialogResult{list("a.fls") / "below-a-file.fls", 1});
    trigger(*window, "saveAsButton");
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].kind, Kind::Error);
    EXPECT_EQ(prompts.shown()[0].text.rfind("Cannot write " + list("a.fls").string(), 0), 0u);
    EXPECT_EQ(window->currentFile(), list("a.fls"));
}

// --- Close ---------------------------------------------------------------------------------------

TEST_F(ManagerTest, CloseAsksAndYesSavesBeforeClearing) {
    writeFileAtomically(list("a.fls"), "old");
    auto window = open();
    window->openOn(list("a.fls"), "Ranqor Web File List Manager: ");
    window->editor()->setPlainText("new\n");
    prompts.confirmAnswers.push_back(true);
    trigger(*window, "closeItem");
    EXPECT_EQ(prompts.shown(), (std::vector<Shown>{{Kind::Confirm, kQuestion}}));
    EXPECT_EQ(readFileBytes(list("a.fls")), "new\r\n");
    EXPECT_EQ(text(*window), "");
    EXPECT_EQ(window->currentFile(), list("a.fls"));
}

TEST_F(ManagerTest, CloseAnsweredNoClearsWithoutSavingEvenWhenUnchanged) {
    writeFileAtomically(list("a.fls"), "old");
    auto window = open();
    window->openOn(list("a.fls"), "Ranqor Web File List Manager: ");
    prompts.confirmAnswers.push_back(false);
    trigger(*window, "closeItem");
    EXPECT_EQ(prompts.shown(), (std::vector<Shown>{{Kind::Confirm, kQuestion}}));
    EXPECT_EQ(readFileBytes(list("a.fls")), "old");
    EXPECT_EQ(text(*window), "");
}

TEST_F(ManagerTest, CloseWithYesAndNoFileReportsTheErrorAndKeepsTheText) {
    auto window = open();
    window->editor()->setPlainText("unsaved");
    prompts.confirmAnswers.push_back(true);
    trigger(*window, "closeItem");
    EXPECT_EQ(prompts.shown(),
              (std::vector<Shown>{{Kind::Confirm, kQuestion},
                                  {Kind::Error, "Cannot write the file list: no file name was given"}}));
    EXPECT_EQ(text(*window), "unsaved");
    EXPECT_EQ(files(), std::vector<std::string>{"tips/fmanage.txt"});
}

TEST_F(ManagerTest, ClosingWithUnsavedEditsAsksFirst) {
    writeFileAtomically(list("a.fls"), "old");
    const std::string question =
        "The file list a.fls has changed.\n\r\n\rDo you want to save the changes before closing?";
    using Answer = Prompts::Answer;
    struct Case {
        std::function<void(Tflsmanage&)> close;
        Answer answer;
        bool closed;
        std::string saved;
    };
    const std::vector<Case> cases = {
        {[](Tflsmanage& w) { trigger(w, "exitButton"); }, Answer::Cancel, false, "old"},
        {[](Tflsmanage& w) { trigger(w, "exitItem"); }, Answer::No, true, "old"},
        {[](Tflsmanage& w) { w.reject(); }, Answer::Yes, true, "changed"},  // Escape
        {[](Tflsmanage& w) { w.close(); }, Answer::Yes, true, "changed"},
    };
    for (const Case& c : cases) {
        writeFileAtomically(list("a.fls"), "old");
        prompts.clear();
        auto window = open();
        window->openOn(list("a.fls"), "Ranqor Web File List Manager: ");
        window->show();
        type(*window, "changed");
        prompts.questionAnswers.push_back(c.answer);
        c.close(*window);
        EXPECT_EQ(window->isVisible(), !c.closed);
        ASSERT_FALSE(prompts.shown().empty());
        EXPECT_EQ(prompts.shown().front(), (Shown{Kind::Question, question}));
        EXPECT_EQ(readFileBytes(list("a.fls")), c.saved);
    }
}

TEST_F(ManagerTest, ClosingWithoutEditsOrAfterSavingAsksNothing) {
    writeFileAtomically(list("a.fls"), "old");
    auto window = open();
    window->openOn(list("a.fls"), "Ranqor Web File List Manager: ");
    window->show();
    trigger(*window, "exitButton");
    EXPECT_FALSE(window->isVisible());

    window->show();
    type(*window, "new");
    window->saveClick();
    trigger(*window, "exitButton");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(prompts.shown(), (std::vector<Shown>{{Kind::Information, "File Saved Successfully"}}));
}

TEST_F(ManagerTest, SavingUnsavedEditsWithoutAFileAsksForANameAndStaysWhenThatIsCancelled) {
    auto window = open();
    window->show();
    type(*window, "typed");
    prompts.questionAnswers = {Prompts::Answer::Yes, Prompts::Answer::Yes};
    prompts.saveAnswers = {std::nullopt, FileDialogResult{list("named.fls"), 1}};
    window->close();
    EXPECT_TRUE(window->isVisible());
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(readFileBytes(list("named.fls")), "typed");
}

// --- Editing -------------------------------------------------------------------------------------

TEST_F(ManagerTest, UndoRevertsTheLastChangeOrSaysItCannot) {
    auto window = open();
    trigger(*window, "undoButton");
    EXPECT_EQ(prompts.shown(), (std::vector<Shown>{{Kind::Information, "Cannot Perform Undo"}}));
    window->editor()->insertPlainText("typed");
    trigger(*window, "undoButton");
    EXPECT_EQ(text(*window), "");
    EXPECT_EQ(prompts.shown().size(), 1u);
}

TEST_F(ManagerTest, ClipboardAndSelectionCommandsWorkOnTheEditor) {
    auto window = open();
    QPlainTextEdit* editor = window->editor();
    editor->setPlainText("alpha\nbeta");

    trigger(*window, "copyAllButton");
    EXPECT_EQ(QApplication::clipboard()->text(), "alpha\nbeta");
    EXPECT_FALSE(editor->textCursor().hasSelection());

    trigger(*window, "selectAllItem");
    EXPECT_EQ(editor->textCursor().selectedText().size(), 10);
    trigger(*window, "selectNoneItem");
    EXPECT_FALSE(editor->textCursor().hasSelection());

    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(5, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    trigger(*window, "cutButton");
    EXPECT_EQ(QApplication::clipboard()->text(), "alpha");
    EXPECT_EQ(text(*window), "\nbeta");
    cursor = editor->textCursor();
    cursor.movePosition(QTextCursor::End);
    editor->setTextCursor(cursor);
    trigger(*window, "pasteItem");
    EXPECT_EQ(text(*window), "\nbetaalpha");

    cursor.setPosition(1);
    cursor.setPosition(5, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    trigger(*window, "copyItem");
    EXPECT_EQ(QApplication::clipboard()->text(), "beta");
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(ManagerTest, EditWindowHintMakesThePaneEditableThenSavesIt) {
    auto window = open();
    QAction* item = window->findChild<QAction*>("editHintItem");
    ASSERT_NE(item, nullptr);
    trigger(*window, "editHintItem");
    EXPECT_FALSE(window->hintPane()->isReadOnly());
    EXPECT_EQ(item->text(), "Editing Tips - Select this option to Save");
    EXPECT_EQ(readFileBytes(dir / "tips" / "fmanage.txt"), "One entry per line.\r\nSave with Ctrl+S.");

    window->hintPane()->setPlainText("New hint\nsecond line\n");
    trigger(*window, "editHintItem");
    EXPECT_EQ(readFileBytes(dir / "tips" / "fmanage.txt"), "New hint\r\nsecond line\r\n");
    EXPECT_EQ(item->text(), "Edit Window Hint");
    EXPECT_FALSE(window->hintPane()->isReadOnly());
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(ManagerTest, HelpAndAboutPerVariant) {
    struct Case {
        const FileListManagerVariant* variant;
        std::string topic;
        std::string about;
    };
    for (const Case& c :
         {Case{&FileListManagerVariant::ranqor(), "file-list-manager", "Ranqor Web File List Manager 1.0"},
          Case{&FileListManagerVariant::vistral(), "vistral-file-list-manager",
               "Vistral File List Manager 1.0"}}) {
        prompts.clear();
        auto window = open(*c.variant);
        trigger(*window, "helpButton");
        trigger(*window, "helpItem");
        trigger(*window, "aboutItem");
        EXPECT_EQ(prompts.helpTopics(), (std::vector<std::string>{c.topic, c.topic}));
        EXPECT_EQ(prompts.shown(), (std::vector<Shown>{{Kind::Message, c.about}}));
    }
}

}  // namespace
