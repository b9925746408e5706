#include "submission/core/projects.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "pageprep/core/folderfiles.h"
#include "platform/core/gridfile.h"
#include "platform/core/programfolder.h"
#include "platform/core/safefile.h"
#include "platform/core/settingsstore.h"
#include "platform/tests/tempdir.h"
#include "sitetools/core/filelist.h"
#include "submission/core/profile.h"

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;
using Box = NameRefusal::Box;

GridTable profileOf(const Lines& labelsAndValues) {
    GridTable table(2, static_cast<int>(labelsAndValues.size() / 2));
    for (size_t i = 0; i + 1 < labelsAndValues.size(); i += 2) {
        table.setCell(0, static_cast<int>(i / 2), labelsAndValues[i]);
        table.setCell(1, static_cast<int>(i / 2), labelsAndValues[i + 1]);
    }
    return table;
}

class ProjectFiles : public ::testing::Test {
protected:
    TempDir dir;
    ProgramFolder folder{dir.path()};

    void SetUp() override { fs::create_directories(dir / "My Profiles"); }
    std::string file(const std::string& relative) { return readFileBytes(dir / relative); }
};

}  // namespace

TEST_F(ProjectFiles, ANewProjectGetsItsProfileFolderDefaultListAndPlaceholders) {
    GridTable profile =
        profileOf({"Label", "Value", "First Name", "Ann", " ", "\t", "", "", "Site Title", "Shop", "", ""});
    writeProjectFiles(folder, "Shop", profile);

    // Rows 2 and 3 were blank; the blank last row stays.
    GridTable stored;
    readGridFile(stored, dir / "My Profiles" / "Shop.rpf");
    EXPECT_EQ(stored.rowCount(), 4);
    EXPECT_EQ(stored.cell(1, 2), "Shop");
    EXPECT_EQ(stored, profile);
    EXPECT_EQ(file("My Projects/Shop/Shop.fls"), "MySample.htm\r\n");
    EXPECT_EQ(file("My Projects/Shop/Shop.ttl"), "Enter Site Title\r\n");
    EXPECT_EQ(file("My Projects/Shop/Shop.dsc"), "Enter Site Description\r\n");
    EXPECT_EQ(file("My Projects/Shop/Shop.key"), "Enter Site Key Words\r\n");
    EXPECT_EQ(listProjects(folder), Lines{"Shop"});
}

TEST_F(ProjectFiles, SavingAgainRewritesThePlaceholdersButLeavesTheDefaultList) {
    GridTable profile = profileOf({"Label", "Value", "First Name", "Ann"});
    writeProjectFiles(folder, "Shop", profile);
    writeFileList(dir / "My Projects" / "Shop" / "Shop.fls", {"index.htm", "about.htm"});
    writeFileList(dir / "My Projects" / "Shop" / "Shop.ttl", {"My real title"});
    writeProjectFiles(folder, "Shop", profile);
    EXPECT_EQ(file("My Projects/Shop/Shop.fls"), "index.htm\r\nabout.htm\r\n");
    EXPECT_EQ(file("My Projects/Shop/Shop.ttl"), "Enter Site Title\r\n");

    // Each new project of a run gets the sample list, whatever the one before holds.
    writeProjectFiles(folder, "Second", profile);
    EXPECT_EQ(file("My Projects/Second/Second.fls"), "MySample.htm\r\n");
}

TEST_F(ProjectFiles, AFailingWriteEndsTheSaveWithItsError) {
    fs::remove_all(dir / "My Profiles");
    writeFileAtomically(dir / "My Profiles", "a file where the folder belongs");
    GridTable profile = profileOf({"Label", "Value"});
    EXPECT_THROW(writeProjectFiles(folder, "Shop", profile), FileError);
    EXPECT_FALSE(fs::exists(dir / "My Projects" / "Shop"));
}

TEST_F(ProjectFiles, DeletingRemovesListsTheirFilesAndTheProfileOnly) {
    GridTable profile = profileOf({"Label", "Value"});
    writeProjectFiles(folder, "Shop", profile);
    writeFileList(dir / "My Projects" / "Shop" / "extra.fls", {"a.htm"});
    writeFileList(dir / "My Projects" / "Shop" / "extra.ttl", {"t"});
    writeFileList(dir / "My Projects" / "Shop" / "notes.txt", {"kept"});
    EXPECT_TRUE(deleteProjectFiles(folder, "Shop").empty());
    EXPECT_FALSE(fs::exists(dir / "My Profiles" / "Shop.rpf"));
    EXPECT_TRUE(fs::exists(dir / "My Projects" / "Shop" / "notes.txt"));
    for (const char* gone : {"Shop.fls", "Shop.ttl", "Shop.dsc", "Shop.key", "extra.fls", "extra.ttl"})
        EXPECT_FALSE(fs::exists(dir / "My Projects" / "Shop" / gone)) << gone;
    EXPECT_TRUE(listProjects(folder).empty());

    // Without its folder each kind of file reports the folder; the profile still goes.
    writeProjectFiles(folder, "Gone", profile);
    fs::remove_all(dir / "My Projects" / "Gone");
    const std::string message = "Invalid Directory - " + (dir / "My Projects" / "Gone").string();
    EXPECT_EQ(deleteProjectFiles(folder, "Gone"), (Lines{message, message, message, message}));
    EXPECT_FALSE(fs::exists(dir / "My Profiles" / "Gone.rpf"));
}

TEST(ProjectNames, RefusedNamesAndTheirMessages) {
    const Lines existing = {"Shop", "Base"};
    struct Case {
        std::string name;
        std::optional<Box> box;
        std::string text;  // the start of the message
    };
    const std::vector<Case> cases = {
        {"", Box::Plain, "You must specify a name to save the project"},
        {"\x01Shop", Box::Plain, "You must specify a name to save the project"},
        {"My Shop", Box::Error, "Character in Project name [SPACE] Spaces Are not Allowed! "},
        {" ", Box::Error, "Character in Project name [SPACE] Spaces Are not Allowed! "},
        {"..", Box::Error, "The project name \"..\" cannot be used: "},
        {"a/b", Box::Error, "The project name \"a/b\" cannot be used: it holds a \\ or a /"},
        {"..\\..\\x", Box::Error, "The project name \"..\\..\\x\" cannot be used: "},
        {std::string("a\0b", 3), Box::Error, "The project name \""},
        {"shop", Box::Error,
         "The project \"Shop\" exists already. \"shop\" differs from it only in letter case"},
        {"BASE", Box::Error, "The project \"Base\" exists already."},
        {"Shop", std::nullopt, ""},
        {"New-Shop!", std::nullopt, ""},
    };
    for (const Case& c : cases) {
        std::optional<NameRefusal> refusal = refuseProjectName(c.name, existing);
        ASSERT_EQ(refusal.has_value(), c.box.has_value()) << c.name;
        if (!refusal)
            continue;
        EXPECT_EQ(refusal->box, *c.box) << c.name;
        EXPECT_EQ(refusal->text.substr(0, c.text.size()), c.text) << c.name;
    }
}

TEST(ProjectSettings, StoredUnderTheProjectsNameAndReadBackOneByOne) {
    TempDir dir;
    SettingsStore store(dir / "settings.ini");
    EXPECT_FALSE(readProjectSettings(store, "Shop").webPath);
    writeProjectSettings(store, "Shop", "http://www.example.com", "2", "Travel");
    EXPECT_EQ(store.readValue(kVistralKey, "ShopWebType"), "2");
    StoredProjectSettings read = readProjectSettings(store, "Shop");
    EXPECT_EQ(read.webPath, "http://www.example.com");
    EXPECT_EQ(read.webType, "2");
    EXPECT_EQ(read.category, "Travel");
    EXPECT_FALSE(readProjectSettings(store, "Other").category);

    EXPECT_EQ(webTypeFromText("0"), WebType::Local);
    EXPECT_EQ(webTypeFromText("1"), WebType::Net);
    EXPECT_EQ(webTypeFromText("2"), WebType::SecureNet);
    EXPECT_EQ(webTypeFromText("7"), WebType::Net);
    EXPECT_EQ(webTypeFromText(""), WebType::Net);
    EXPECT_TRUE(isBaseProject("base"));
    EXPECT_TRUE(isBaseProject("BASE"));
    EXPECT_FALSE(isBaseProject("Bases"));
}

TEST(ProjectSettings, NamesWithEqualsAndBracketsSurviveTheFileAndStayApart) {
    TempDir dir;
    const Lines names = {"a=b", "[Shop]", "a", "Shop]"};
    {
        SettingsStore store(dir / "settings.ini");
        for (const std::string& name : names)
            writeProjectSettings(store, name, "http://" + name + ".example", "0", name + " category");
    }
    SettingsStore reread(dir / "settings.ini");
    for (const std::string& name : names) {
        StoredProjectSettings read = readProjectSettings(reread, name);
        EXPECT_EQ(read.webPath, "http://" + name + ".example") << name;
        EXPECT_EQ(read.webType, "0") << name;
        EXPECT_EQ(read.category, name + " category") << name;
    }
}

TEST(ProjectList, AMissingProfileFolderIsAnInvalidDirectory) {
    TempDir dir;
    ProgramFolder folder(dir.path());
    try {
        listProjects(folder);
        FAIL();
    } catch (const DirectoryError& e) {
        EXPECT_EQ(std::string(e.what()), "Invalid Directory - " + (dir / "My Profiles").string());
    }
}
