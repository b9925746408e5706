#include "platform/core/programfolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/core/safefile.h"
#include "platform/tests/tempdir.h"

namespace fs = std::filesystem;

TEST(ProgramFolder, ResolvesBackslashPathsIgnoringLetterCase) {
    TempDir dir;
    fs::create_directories(dir / "My File Lists");
    writeFileAtomically(dir / "My File Lists" / "def.fls", "a\r\n");
    ProgramFolder folder(dir.path());

    EXPECT_EQ(folder.resolve("My FIle Lists\\def.fls"), dir / "My File Lists" / "def.fls");
    EXPECT_EQ(folder.resolve("my file lists\\DEF.FLS"), dir / "My File Lists" / "def.fls");
    EXPECT_EQ(folder.resolve("My File Lists/def.fls"), dir / "My File Lists" / "def.fls");
}

TEST(ProgramFolder, KeepsTheSpellingOfWhatDoesNotExistAndCreatesFoldersForWriting) {
    TempDir dir;
    ProgramFolder folder(dir.path());
    EXPECT_EQ(folder.resolve("Temp\\Google.ef"), dir / "Temp" / "Google.ef");
    EXPECT_FALSE(fs::exists(dir / "Temp"));

    fs::path written = folder.resolveForWriting("Temp\\Google.ef");
    EXPECT_TRUE(fs::is_directory(dir / "Temp"));
    EXPECT_EQ(written, dir / "Temp" / "Google.ef");

    EXPECT_EQ(folder.folder("reports"), dir / "reports");
    EXPECT_TRUE(fs::is_directory(dir / "reports"));
    // An existing folder in other letters is found, not created twice.
    EXPECT_EQ(folder.folder("REPORTS"), dir / "reports");
}

TEST(ProgramFolder, AbsolutePathsPassThrough) {
    TempDir dir;
    ProgramFolder folder(dir.path());
    EXPECT_EQ(folder.resolve((dir / "x.prp").string()), dir / "x.prp");
}

TEST(ProgramFolder, NamesThatWouldLeaveTheirFolderAreRecognised) {
    struct Case {
        const char* name;
        bool plain;
        bool inside;
    };
    const Case cases[] = {
        {"mysite", true, true},        {"my site.v2", true, true}, {"", false, false},
        {"..", false, false},          {".", false, true},         {"a/b", false, true},
        {"a\\b", false, true},         {"../x", false, false},     {"a\\..\\..\\x", false, false},
        {"/etc/passwd", false, false}, {"C:\\x", false, false},    {"Google2.hdf", true, true},
        {"a..b", false, true},         {"...", false, true},       {".hidden", true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isPlainName(c.name), c.plain) << c.name;
        EXPECT_EQ(staysInside(c.name), c.inside) << c.name;
    }
}

TEST(ProgramFolder, LocatePrefersTheEnvironmentThenTheExecutableFolderThenTheUsersCopy) {
    TempDir dir;
    fs::create_directories(dir / "exe" / "edata");
    fs::create_directories(dir / "share" / "terms");
    writeFileAtomically(dir / "share" / "terms" / "terms.tms", "shipped");
    ProgramFolder::Location where{"ORLEK_TEST_HOME_UNSET", "edata", dir / "exe", dir / "share", "ranqor"};

    ::unsetenv("ORLEK_TEST_HOME_UNSET");
    EXPECT_EQ(ProgramFolder::locate(where), dir / "exe");

    ::setenv("ORLEK_TEST_HOME_UNSET", (dir / "elsewhere").c_str(), 1);
    EXPECT_EQ(ProgramFolder::locate(where), dir / "elsewhere");
    ::unsetenv("ORLEK_TEST_HOME_UNSET");

    // An installed program: its folder holds no data, so the user gets a copy of their own,
    // and a second start keeps what the user changed.
    where.executableDir = dir / "bin";
    ::setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
    fs::path own = ProgramFolder::locate(where);
    EXPECT_EQ(own, dir / "data" / "ranqor");
    EXPECT_EQ(readFileBytes(own / "terms" / "terms.tms"), "shipped");
    writeFileAtomically(own / "terms" / "terms.tms", "mine");
    ProgramFolder::locate(where);
    EXPECT_EQ(readFileBytes(own / "terms" / "terms.tms"), "mine");
}
