#include "pageprep/workfilespage.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QMenu>
#include <QToolButton>
#include <QTreeWidget>
#include <map>

#include "pageprep/core/workfiles.h"
#include "platform/core/programfolder.h"
#include "platform/scriptedprompts.h"
#include "platform/tests/tempdir.h"
#include "sitetools/core/filelist.h"

namespace fs = std::filesystem;

namespace {

using Kind = ScriptedPrompts::Kind;
using Shown = ScriptedPrompts::Shown;
using Lines = std::vector<std::string>;
using Operation = std::function<void(WorkFilesPage&)>;

const std::string kNetRefusal =
    "This file add type is not available for webs that are based on the net, change project properties on "
    "Step One to use this method, To change the Web Type:\r\r\r   1. Click on your project and Press the "
    "Properties Button\r   2. Click on the Web Type that you want to use\r   3. Save the settings by "
    "Clicking "
    "on the Save Button\r   4. Reselect the project by Double-Clicking on it\r   5. Then Continue with your "
    "web site promotion tasks.\r\rThe Help | Getting Started Selection from the main menu provides a "
    "complete "
    "getting started guide";
const std::string kLocalRefusal =
    "This file add type is not available for webs that are based locally, change project properties on Step "
    "One to use this method, To change the Web Type:\r\r\r   1. Click on your project and Press the "
    "Properties Button\r   2. Click on the Web Type that you want to use\r   3. Save the settings by "
    "Clicking "
    "on the Save Button\r   4. Reselect the project by Double-Clicking on it\r   5. Then Continue with your "
    "web site promotion tasks.\r\rThe Help | Getting Started Selection from the main menu provides a "
    "complete "
    "getting started guide";
const std::string kDeleteList =
    "Do you really want to delete this File list? \r\rThis Cannot be undone if you save   Continue?";
const std::string kDeletePages =
    "Do you really want to delete the selected files? \r\rThis cannot be undone -    Continue?";

Operation choose(const std::string& list, Operation then = nullptr) {
    return [list, then](WorkFilesPage& page) {
        page.flist()->setCurrentText(QString::fromStdString(list));
        if (page.flist()->findText(QString::fromStdString(list)) >= 0)
            page.chooseList();
        if (then)
            then(page);
    };
}

Operation tick(std::vector<int> rows, Operation then) {
    return [rows, then](WorkFilesPage& page) {
        for (int row : rows)
            page.workfiles()->topLevelItem(row)->setCheckState(0, Qt::Checked);
        then(page);
    };
}

struct Case {
    std::string what;
    std::map<std::string, Lines> lists;  // the project's lists before
    Operation operation;
    std::vector<Shown> shown;
    Lines entries;                                      // WorkFileList after
    Lines rows;                                         // the captions of the rows after
    std::map<std::string, std::optional<Lines>> after;  // lists after; nothing: no such file
    WebType webType = WebType::Net;
    std::string project = "Shop";
    std::deque<bool> confirms = {};
    std::deque<std::optional<std::string>> inputs = {};
    std::deque<std::optional<FileDialogResult>> opens = {};
    std::string listText = "";  // the flist text after, when given
};

// A project folder with its lists and the page opened on it.
struct Rig {
    TempDir dir;
    ProgramFolder folder{dir.path()};
    WorkFiles files;
    Lines statuses;
    int emptied = 0;
    std::unique_ptr<WorkFilesPage> page;

    Rig(ScriptedPrompts& prompts, const std::string& project, WebType type,
        const std::map<std::string, Lines>& lists) {
        fs::create_directories(projectFolder(project));
        for (const auto& [name, entries] : lists)
            writeFileList(projectFolder(project) / (name + ".fls"), entries);
        page = std::make_unique<WorkFilesPage>(
            WorkFilesPage::Context{folder, prompts, files, [this](int panel, const std::string& text) {
                                       statuses.push_back(std::to_string(panel) + ":" + text);
                                   }});
        QObject::connect(page.get(), &WorkFilesPage::pagesEmptied, [this] { ++emptied; });
        page->OpenProjectFileLists(project, type);
    }

    fs::path projectFolder(const std::string& project) const { return dir / "My Projects" / project; }

    Lines captions() const {
        Lines out;
        for (int i = 0; i < page->workfiles()->topLevelItemCount(); ++i)
            out.push_back(page->workfiles()->topLevelItem(i)->text(0).toStdString());
        return out;
    }
};

}  // namespace

TEST(WorkFilesPage, OpeningAProjectLoadsItsDefaultListAndOffersTheAddButtonOfItsWebType) {
    ScriptedPrompts prompts;
    Rig net(prompts, "Shop", WebType::Net, {{"Shop", {"index.htm", "", "about.htm"}}, {"extra", {"x.htm"}}});
    WorkFilesPage& page = *net.page;
    EXPECT_EQ(page.flist()->currentText(), "Shop");
    EXPECT_EQ(page.flist()->count(), 2);
    EXPECT_EQ(net.files.entries(), (Lines{"index.htm", "", "about.htm"}));
    EXPECT_EQ(net.captions(), (Lines{"index.htm", "about.htm"}));
    EXPECT_FALSE(page.localButton()->isVisibleTo(&page));
    EXPECT_TRUE(page.webButton()->isVisibleTo(&page));
    EXPECT_EQ(page.listDialogFolder(), net.projectFolder("Shop"));
    EXPECT_TRUE(prompts.shown().empty());

    Rig local(prompts, "Home", WebType::Local, {{"Home", {"C:\\web\\index.htm"}}});
    EXPECT_TRUE(local.page->localButton()->isVisibleTo(local.page.get()));
    EXPECT_FALSE(local.page->webButton()->isVisibleTo(local.page.get()));

    // A project whose default list is missing shows the read error and an empty list.
    Rig bare(prompts, "Bare", WebType::Net, {});
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].kind, Kind::Error);
    EXPECT_TRUE(bare.files.entries().empty());
}

TEST(WorkFilesPage, TheOperations) {
    ScriptedPrompts prompts;
    const Lines shop = {"index.htm", "", "about.htm"};
    const std::vector<Case> cases = {
        {.what = "Web adds nothing that is there in another letter case, and says so",
         .lists = {{"Shop", shop}},
         .operation = [](WorkFilesPage& p) { p.webClick(); },
         .shown = {{Kind::Input, "Enter in the page name"},
                   {Kind::Information, "File: 'ABOUT.HTM' already in the list to promote"}},
         .entries = shop,
         .rows = {"index.htm", "about.htm"},
         .after = {{"Shop", shop}},
         .inputs = {"ABOUT.HTM"}},
        {.what = "Web appends a new page in memory only",
         .lists = {{"Shop", shop}},
         .operation = [](WorkFilesPage& p) { p.webClick(); },
         .shown = {{Kind::Input, "Enter in the page name"}},
         .entries = {"index.htm", "", "about.htm", "news/today.htm"},
         .rows = {"index.htm", "about.htm", "news/today.htm"},
         .after = {{"Shop", shop}},
         .inputs = {"news/today.htm"}},
        {.what = "Web cancelled",
         .lists = {{"Shop", shop}},
         .operation = [](WorkFilesPage& p) { p.webClick(); },
         .shown = {{Kind::Input, "Enter in the page name"}},
         .entries = shop,
         .rows = {"index.htm", "about.htm"},
         .after = {{"Shop", shop}},
         .inputs = {std::nullopt}},
        {.what = "Local is refused for a web on the net",
         .lists = {{"Shop", shop}},
         .operation = [](WorkFilesPage& p) { p.localClick(); },
         .shown = {{Kind::Information, kNetRefusal}},
         .entries = shop,
         .rows = {"index.htm", "about.htm"},
         .after = {{"Shop", shop}}},
        {.what = "Web is refused for a local web",
         .lists = {{"Shop", {"C:\\web\\a.htm"}}},
         .operation = [](WorkFilesPage& p) { p.webClick(); },
         .shown = {{Kind::Information, kLocalRefusal}},
         .entries = {"C:\\web\\a.htm"},
         .rows = {"C:\\web\\a.htm"},
         .after = {},
         .webType = WebType::Local},
        {.what = "Local adds the chosen files in order and skips one that is there, silently",
         .lists = {{"Shop", {"/web/b.htm"}}},
         .operation = [](WorkFilesPage& p) { p.localClick(); },
         .shown = {},
         .entries = {"/web/b.htm", "/web/a.htm", "/web/c.htm"},
         .rows = {"/web/b.htm", "/web/a.htm", "/web/c.htm"},
         .after = {{"Shop", Lines{"/web/b.htm"}}},
         .webType = WebType::Local,
         .opens = {FileDialogResult{"/web/a.htm", 1, {"/web/a.htm", "/web/B.HTM", "/web/c.htm"}}}},
        {.what = "List merges another list's new entries, blanks kept without rows, and needs no web type",
         .lists = {{"Shop", {"a.htm"}}, {"merge", {"A.HTM", "", "c.htm"}}},
         .operation = [](WorkFilesPage& p) { p.listClick(); },
         .shown = {},
         .entries = {"a.htm", "", "c.htm"},
         .rows = {"a.htm", "c.htm"},
         .after = {{"Shop", Lines{"a.htm"}}},
         .opens = {FileDialogResult{}}},
        {.what = "Save writes blank entries back",
         .lists = {{"Shop", shop}},
         .operation = [](WorkFilesPage& p) { p.saveListClick(); },
         .shown = {},
         .entries = shop,
         .rows = {"index.htm", "about.htm"},
         .after = {{"Shop", shop}}},
        {.what = "Save under a typed name makes a new list",
         .lists = {{"Shop", shop}},
         .operation = choose("extra", [](WorkFilesPage& p) { p.saveListClick(); }),
         .shown = {},
         .entries = shop,
         .rows = {"index.htm", "about.htm"},
         .after = {{"Shop", shop}, {"extra", shop}},
         .listText = "extra"},
        {.what = "Save needs a name",
         .lists = {{"Shop", shop}},
         .operation = choose("", [](WorkFilesPage& p) { p.saveListClick(); }),
         .shown = {{Kind::Error, "You must provide a name for the list"}},
         .entries = shop,
         .rows = {"index.htm", "about.htm"},
         .after = {{"Shop", shop}}},
        {.what = "Save refuses a name that leaves the project folder",
         .lists = {{"Shop", shop}},
         .operation = choose("../../escaped", [](WorkFilesPage& p) { p.saveListClick(); }),
         .shown = {{Kind::Error,
                    "The list name \"../../escaped\" cannot be used: it holds a \\ or a /, which separate "
                    "folders. A "
                    "list name is used as a file name."}},
         .entries = shop,
         .rows = {"index.htm", "about.htm"},
         .after = {{"../../escaped", std::nullopt}}},
        {.what = "The default list cannot be deleted",
         .lists = {{"Shop", shop}},
         .operation = [](WorkFilesPage& p) { p.deleteListClick(); },
         .shown = {{Kind::Information, "You can not delete the Default File List for your project"}},
         .entries = shop,
         .rows = {"index.htm", "about.htm"},
         .after = {{"Shop", shop}}},
        {.what = "A base list cannot be deleted, in any letter case",
         .lists = {{"Shop", shop}, {"base", {"b.htm"}}},
         .operation = choose("base", [](WorkFilesPage& p) { p.deleteListClick(); }),
         .shown = {{Kind::Information, "You can not delete the Base File List for your project"}},
         .entries = {"b.htm"},
         .rows = {"b.htm"},
         .after = {{"base", Lines{"b.htm"}}}},
        {.what = "Deleting the default list of a project named Base speaks of the default list",
         .lists = {{"Base", {"b.htm"}}},
         .operation = [](WorkFilesPage& p) { p.deleteListClick(); },
         .shown = {{Kind::Information, "You can not delete the Default File List for your project"}},
         .entries = {"b.htm"},
         .rows = {"b.htm"},
         .after = {{"Base", Lines{"b.htm"}}},
         .project = "Base"},
        {.what = "Renaming it speaks of the base list",
         .lists = {{"Base", {"b.htm"}}},
         .operation = [](WorkFilesPage& p) { p.renameClick(); },
         .shown = {{Kind::Information, "You can not rename the Base File List"}},
         .entries = {"b.htm"},
         .rows = {"b.htm"},
         .after = {{"Base", Lines{"b.htm"}}},
         .project = "Base"},
        {.what = "The default list cannot be renamed",
         .lists = {{"Shop", shop}},
         .operation = [](WorkFilesPage& p) { p.renameClick(); },
         .shown = {{Kind::Information, "You can not rename the Default File List"}},
         .entries = shop,
         .rows = {"index.htm", "about.htm"},
         .after = {{"Shop", shop}}},
        {.what = "Delete List removes the list after Yes and loads the first list left",
         .lists = {{"Shop", shop}, {"extra", {"x.htm"}}},
         .operation = choose("extra", [](WorkFilesPage& p) { p.deleteListClick(); }),
         .shown = {{Kind::Confirm, kDeleteList}},
         .entries = shop,
         .rows = {"index.htm", "about.htm"},
         .after = {{"Shop", shop}, {"extra", std::nullopt}},
         .confirms = {true},
         .listText = "Shop"},
        {.what = "Delete List keeps the list after No",
         .lists = {{"Shop", shop}, {"extra", {"x.htm"}}},
         .operation = choose("extra", [](WorkFilesPage& p) { p.deleteListClick(); }),
         .shown = {{Kind::Confirm, kDeleteList}},
         .entries = {"x.htm"},
         .rows = {"x.htm"},
         .after = {{"extra", Lines{"x.htm"}}},
         .confirms = {false},
         .listText = "extra"},
        {.what = "Rename to an existing list's name replaces that list",
         .lists = {{"Shop", shop}, {"extra", {"x.htm"}}, {"other", {"o.htm"}}},
         .operation = choose("extra", [](WorkFilesPage& p) { p.renameClick(); }),
         .shown = {{Kind::Input, "Enter the new list name"},
                   {Kind::Information, "File list was renamed successfully"}},
         .entries = {"x.htm"},
         .rows = {"x.htm"},
         .after = {{"extra", std::nullopt}, {"other", Lines{"x.htm"}}, {"Shop", shop}},
         .inputs = {"other"},
         .listText = "other"},
        {.what = "Rename refuses a new name that leaves the project folder",
         .lists = {{"Shop", shop}, {"extra", {"x.htm"}}},
         .operation = choose("extra", [](WorkFilesPage& p) { p.renameClick(); }),
         .shown =
             {{Kind::Input, "Enter the new list name"},
              {Kind::Error,
               "The list name \"..\" cannot be used: \".\" and \"..\" name folders. A list name is used as a "
               "file name."}},
         .entries = {"x.htm"},
         .rows = {"x.htm"},
         .after = {{"extra", Lines{"x.htm"}}},
         .inputs = {".."},
         .listText = "extra"},
        {.what = "Rename cancelled",
         .lists = {{"Shop", shop}, {"extra", {"x.htm"}}},
         .operation = choose("extra", [](WorkFilesPage& p) { p.renameClick(); }),
         .shown = {{Kind::Input, "Enter the new list name"}},
         .entries = {"x.htm"},
         .rows = {"x.htm"},
         .after = {{"extra", Lines{"x.htm"}}},
         .inputs = {std::nullopt}},
        {.what = "Delete removes the ticked pages, writes the list and counts",
         .lists = {{"Shop", {"a.htm", "", "b.htm", "c.htm"}}},
         .operation = tick({0, 2}, [](WorkFilesPage& p) { p.deleteFilesClick(); }),
         .shown = {{Kind::Confirm, kDeletePages}, {Kind::Information, "2: Files Removed"}},
         .entries = {"", "b.htm"},
         .rows = {"b.htm"},
         .after = {{"Shop", Lines{"", "b.htm"}}},
         .confirms = {true}},
        {.what = "Delete after No removes nothing",
         .lists = {{"Shop", shop}},
         .operation = tick({0}, [](WorkFilesPage& p) { p.deleteFilesClick(); }),
         .shown = {{Kind::Confirm, kDeletePages}},
         .entries = shop,
         .rows = {"index.htm", "about.htm"},
         .after = {{"Shop", shop}},
         .confirms = {false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        prompts.clear();
        Rig rig(prompts, c.project, c.webType, c.lists);
        ASSERT_TRUE(prompts.shown().empty());
        prompts.confirmAnswers = c.confirms;
        prompts.inputAnswers = c.inputs;
        prompts.openAnswers = c.opens;
        if (!prompts.openAnswers.empty() && prompts.openAnswers.front()->path.empty())
            prompts.openAnswers.front()->path = rig.projectFolder(c.project) / "merge.fls";
        c.operation(*rig.page);
        EXPECT_EQ(prompts.shown(), c.shown);
        EXPECT_EQ(rig.files.entries(), c.entries);
        EXPECT_EQ(rig.captions(), c.rows);
        for (const auto& [list, entries] : c.after) {
            const fs::path file = rig.projectFolder(c.project) / (list + ".fls");
            if (entries) {
                EXPECT_EQ(readFileList(file), *entries) << list;
            } else {
                EXPECT_FALSE(fs::exists(file)) << list;
            }
        }
        if (!c.listText.empty()) {
            EXPECT_EQ(rig.page->listName(), c.listText);
        }
    }
}

TEST(WorkFilesPage, StatusPanelsAndTheEndOfTheLastRows) {
    ScriptedPrompts prompts;
    Rig rig(prompts, "Shop", WebType::Net, {{"Shop", {"a.htm", "b.htm"}}});
    prompts.inputAnswers = {"c.htm"};
    rig.page->webClick();
    EXPECT_TRUE(rig.page->saveListClick());
    EXPECT_EQ(rig.statuses, (Lines{"2:c.htm", "3:File list saved successfully"}));
    EXPECT_EQ(rig.page->addActiveFiles(), Lines{"None"});
    rig.page->WorkFilesSelectAll();
    EXPECT_EQ(rig.page->addActiveFiles(), (Lines{"a.htm", "b.htm", "c.htm"}));
    rig.page->WorkFilesClearAll();
    rig.page->workfiles()->topLevelItem(1)->setCheckState(0, Qt::Checked);
    EXPECT_EQ(rig.page->addActiveFiles(), Lines{"b.htm"});

    prompts.confirmAnswers = {true};
    rig.page->WorkFilesSelectAll();
    rig.page->deleteFilesClick();
    EXPECT_EQ(rig.emptied, 1);
    EXPECT_EQ(readFileList(rig.projectFolder("Shop") / "Shop.fls"), Lines{});

    // The popup menu and the main menu hold the same operations.
    QMenu files;
    rig.page->addMenuItems(&files);
    EXPECT_EQ(files.actions().size(), 11);
    EXPECT_EQ(rig.page->fileUp()->actions().size(), 11);
    EXPECT_EQ(files.actions()[2]->text(), "Delete File");
    EXPECT_EQ(rig.page->fileUp()->actions()[2]->text(), "Delete Selected");
}
