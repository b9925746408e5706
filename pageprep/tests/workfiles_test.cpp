#include "pageprep/core/workfiles.h"

#include <gtest/gtest.h>

#include "pageprep/core/folderfiles.h"
#include "pageprep/core/projectlists.h"
#include "platform/core/programfolder.h"
#include "platform/core/safefile.h"
#include "platform/tests/tempdir.h"
#include "sitetools/core/filelist.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

Lines captions(const WorkFiles& files) {
    Lines out;
    for (const WorkFiles::Row& row : files.rows())
        out.push_back(row.caption);
    return out;
}

Lines sorted(Lines lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

}  // namespace

TEST(WorkFiles, BlankEntriesAreKeptButShowNoRow) {
    EXPECT_FALSE(sortsAfterBlank(""));
    EXPECT_FALSE(sortsAfterBlank(" "));
    EXPECT_FALSE(sortsAfterBlank("\tpage.htm"));
    EXPECT_TRUE(sortsAfterBlank("  page.htm"));  // a blank followed by more sorts after a lone one
    EXPECT_TRUE(sortsAfterBlank("!"));
    EXPECT_TRUE(sortsAfterBlank("\xE9t\xE9.htm"));  // bytes above 127 sort high

    WorkFiles files;
    files.load({"index.htm", "", " ", "\x01odd", "about.htm"});
    EXPECT_EQ(files.entries().size(), 5u);
    EXPECT_EQ(captions(files), (Lines{"index.htm", "about.htm"}));
}

TEST(WorkFiles, AddingComparesWithoutLetterCaseAndOnlyShowingEntriesGetRows) {
    WorkFiles files;
    files.load({"Index.htm"});
    EXPECT_FALSE(files.add("INDEX.HTM"));
    EXPECT_TRUE(files.add("news.htm"));
    EXPECT_TRUE(files.add(""));
    EXPECT_FALSE(files.add(""));
    EXPECT_EQ(files.entries(), (Lines{"Index.htm", "news.htm", ""}));
    EXPECT_EQ(captions(files), (Lines{"Index.htm", "news.htm"}));
}

TEST(WorkFiles, TicksMakeActiveFilesAndDeleteRemovesTheFirstEqualEntryPerTickedRow) {
    WorkFiles files;
    files.load({"a.htm", "", "b.htm", "c.htm", "B.HTM"});
    EXPECT_EQ(files.activeFiles(), (Lines{"None"}));
    files.setTicked(1, true);
    files.setTicked(3, true);
    EXPECT_EQ(files.activeFiles(), (Lines{"b.htm", "B.HTM"}));
    files.setAllTicked(true);
    EXPECT_EQ(files.activeFiles(), (Lines{"a.htm", "b.htm", "c.htm", "B.HTM"}));
    files.setAllTicked(false);

    files.setTicked(3, true);  // "B.HTM" removes the first entry equal to it: "b.htm"
    EXPECT_EQ(files.deleteTicked(), 1);
    EXPECT_EQ(files.entries(), (Lines{"a.htm", "", "c.htm", "B.HTM"}));
    EXPECT_EQ(captions(files), (Lines{"a.htm", "b.htm", "c.htm"}));
    files.setAllTicked(true);
    EXPECT_EQ(files.deleteTicked(), 3);
    EXPECT_EQ(files.entries(), (Lines{""}));
    EXPECT_TRUE(files.rows().empty());
}

TEST(WorkFiles, DeleteAndRenameGuardTheDefaultAndBaseListsInTheirOwnOrder) {
    struct Case {
        const char* list;
        const char* project;
        ListGuard del;
        ListGuard rename;
    };
    const Case cases[] = {
        {"Shop", "Shop", ListGuard::DefaultList, ListGuard::DefaultList},
        {"shop", "Shop", ListGuard::Allowed, ListGuard::Allowed},  // the default list is named exactly
        {"base", "Shop", ListGuard::BaseList, ListGuard::BaseList},
        {"Base", "Base", ListGuard::DefaultList, ListGuard::BaseList},
        {"extra", "Shop", ListGuard::Allowed, ListGuard::Allowed},
        {" ", "Shop", ListGuard::Allowed, ListGuard::NoName},
        {"", "", ListGuard::DefaultList, ListGuard::NoName},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(deleteGuard(c.list, c.project), c.del) << c.list << "/" << c.project;
        EXPECT_EQ(renameGuard(c.list, c.project), c.rename) << c.list << "/" << c.project;
    }
}

TEST(FolderFiles, ListsAndDeletesFilesOfOneExtensionInAnyLetterCase) {
    TempDir dir;
    writeFileAtomically(dir / "Shop.rpf", "");
    writeFileAtomically(dir / "Base.RPF", "");
    writeFileAtomically(dir / "notes.txt", "");
    writeFileAtomically(dir / "rpf", "");
    fs::create_directories(dir / "folder.rpf");
    Lines names{"kept"};
    EXPECT_EQ(ListFilesByExtension(dir.path(), "rpf", names), 2);
    EXPECT_EQ(names[0], "kept");
    EXPECT_EQ(sorted({names[1], names[2]}), (Lines{"Base", "Shop"}));

    EXPECT_EQ(DeleteFilesByExtension(dir.path(), "rpf"), 2);
    EXPECT_TRUE(fs::exists(dir / "notes.txt"));
    EXPECT_TRUE(fs::is_directory(dir / "folder.rpf"));
    EXPECT_FALSE(fs::exists(dir / "Shop.rpf"));

    try {
        ListFilesByExtension(dir / "missing", "rpf", names);
        FAIL() << "a missing folder was listed";
    } catch (const DirectoryError& e) {
        EXPECT_EQ(std::string(e.what()), "Invalid Directory - " + (dir / "missing").string());
    }
    EXPECT_THROW(DeleteFilesByExtension(dir / "missing", "fls"), DirectoryError);
    EXPECT_EQ(names.size(), 3u);
}

TEST(FolderFiles, NamesThatCannotBeOneFileNameAreRefused) {
    for (const char* good : {"Shop", "my-site_2", "a.b", "..x", "\xE9t\xE9", "shop!(1)"})
        EXPECT_EQ(fileNameProblem(good), std::nullopt) << good;
    const std::string bad[] = {
        "", ".", "..", "a/b", "..\\evil", "a\tb", std::string("a\0b", 3), "a\x7f", std::string(201, 'x')};
    for (const std::string& name : bad)
        EXPECT_NE(fileNameProblem(name), std::nullopt) << name;
    EXPECT_EQ(fileNameProblem(std::string(200, 'x')), std::nullopt);
}

TEST(ProjectFileLists, ReadWriteAndRenameWithinTheProjectFolderInAnyLetterCase) {
    TempDir dir;
    ProgramFolder folder(dir.path());
    writeFileList(dir / "My Projects" / "Shop" / "Shop.fls", {"MySample.htm"});
    ProjectFileLists lists(folder, "Shop");
    lists.write("extra", {"a.htm", "", "b.htm"});
    EXPECT_EQ(sorted(lists.names()), (Lines{"Shop", "extra"}));
    EXPECT_EQ(lists.read("EXTRA"), (Lines{"a.htm", "", "b.htm"}));

    lists.write("other", {"old.htm"});
    lists.rename("extra", "other", {"a.htm", "", "b.htm"});  // replaces the list named other
    EXPECT_EQ(sorted(lists.names()), (Lines{"Shop", "other"}));
    EXPECT_EQ(lists.read("other"), (Lines{"a.htm", "", "b.htm"}));

    lists.rename("other", "OTHER", {"c.htm"});  // the same file: written, not removed
    EXPECT_EQ(lists.read("other"), (Lines{"c.htm"}));

    lists.remove("other");
    lists.remove("never-there");
    EXPECT_EQ(lists.names(), (Lines{"Shop"}));
}

TEST(ProjectFileLists, ARenameWhoseWriteFailsKeepsTheOldList) {
    TempDir dir;
    ProgramFolder folder(dir.path());
    ProjectFileLists lists(folder, "Shop");
    lists.write("pages", {"a.htm"});
    fs::create_directories(dir / "My Projects" / "Shop" / "blocked.fls");  // no file can replace a folder
    EXPECT_THROW(lists.rename("pages", "blocked", {"a.htm", "b.htm"}), FileListError);
    EXPECT_EQ(lists.read("pages"), (Lines{"a.htm"}));
}
