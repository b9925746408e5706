#include "platform/core/settingsstore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "platform/core/safefile.h"
#include "platform/tests/tempdir.h"

TEST(SettingsStore, KeysAndValueNamesIgnoreLetterCase) {
    TempDir dir;
    SettingsStore store(dir / "settings.ini");
    EXPECT_FALSE(store.keyExists("\\Software\\Orlek\\ranqor"));
    store.createKey("\\Software\\Orlek\\ranqor");
    EXPECT_TRUE(store.keyExists("\\Software\\Orlek\\Ranqor"));
    EXPECT_FALSE(store.valueExists("\\Software\\Orlek\\Ranqor", "proxy"));

    store.writeValue("\\Software\\Orlek\\ranqor", "Precise", "0");
    EXPECT_EQ(store.readValue("\\SOFTWARE\\orlek\\RANQOR", "precise"), "0");
    store.writeValue("\\Software\\Orlek\\Ranqor", "PRECISE", "1");
    EXPECT_EQ(store.readValue("\\Software\\Orlek\\Ranqor", "Precise"), "1");
    EXPECT_FALSE(store.readValue("\\Software\\Orlek\\Vistral", "precise").has_value());
}

TEST(SettingsStore, ValuesSurviveARoundTripWhateverTheyHold) {
    TempDir dir;
    const std::string tricky[] = {"",
                                  "10.0.0.1:8080",
                                  "a=b=c",
                                  "line\r\nbreak",
                                  "back\\slash",
                                  "[not a key]",
                                  std::string("nul\0inside", 10),
                                  "p\xE4ss"};
    {
        SettingsStore store(dir / "settings.ini");
        int i = 0;
        for (const std::string& value : tricky)
            store.writeValue("\\Software\\Orlek\\Vistral", "v" + std::to_string(i++), value);
    }
    SettingsStore reread(dir / "settings.ini");
    int i = 0;
    for (const std::string& value : tricky) {
        EXPECT_EQ(reread.readValue("\\Software\\Orlek\\Vistral", "v" + std::to_string(i++)), value);
    }
}

TEST(SettingsStore, TheFileIsReadableByItsOwnerOnly) {
    TempDir dir;
    SettingsStore store(dir / "sub" / "settings.ini");
    store.writeValue("\\Software\\Orlek\\Vistral", "puserp", "secret");
    struct stat st {};
    ASSERT_EQ(::stat((dir / "sub" / "settings.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(SettingsStore, AnUnwritableFileGivesASettingsError) {
    TempDir dir;
    // A folder that is a file cannot be written into, not even by root.
    writeFileAtomically(dir / "notafolder", "x");
    SettingsStore store(dir / "notafolder" / "settings.ini");
    EXPECT_THROW(store.writeValue("\\Software\\Orlek\\Ranqor", "precise", "1"), SettingsError);
}

namespace {

const char* kKey = "\\Software\\Orlek\\Vistral";

}  // namespace

TEST(SettingsStore, AnyValueNameSurvivesAWriteAndARead) {
    TempDir dir;
    // Project names become the front of value names, and a project may be called anything.
    const std::string names[] = {"a=b",      "[shop]", "]x[",    "==",  "[a", "b]",
                                 ";comment", "#hash",  "back\\", "\\=", "é=1"};
    {
        SettingsStore store(dir / "settings.ini");
        for (const std::string& name : names)
            store.writeValue(kKey, name + "webpath", "value of " + name);
        store.writeValue(kKey, "[a", "b]");  // written again: one value, not a key "[a=b]"
    }
    SettingsStore reread(dir / "settings.ini");
    for (const std::string& name : names)
        EXPECT_EQ(reread.readValue(kKey, name + "webpath"), "value of " + name) << name;
    EXPECT_EQ(reread.readValue(kKey, "[a"), "b]");
    EXPECT_FALSE(reread.keyExists("a=b"));
    EXPECT_FALSE(reread.readValue(kKey, "a_bwebpath").has_value());
}

TEST(SettingsStore, LinesTheStoreDoesNotUseAreKept) {
    TempDir dir;
    // Key names are stored with their backslashes doubled.
    const std::string original =
        "; written by hand\n"
        "\n"
        "[Software\\\\Orlek\\\\Ranqor]\n"
        "proxy=10.0.0.1\n"
        "a line of a newer version\n"
        "# another comment\n"
        "\n"
        "[Other\\\\Program]\n"
        "colour=blue\n";
    writeFileAtomically(dir / "settings.ini", original);
    SettingsStore store(dir / "settings.ini");
    store.writeValue("\\Software\\Orlek\\Ranqor", "proxy", "10.0.0.2");
    store.writeValue("\\Software\\Orlek\\Ranqor", "precise", "1");
    store.writeValue("\\Other\\Program", "size", "3");
    EXPECT_EQ(readFileBytes(dir / "settings.ini"),
              "; written by hand\n"
              "\n"
              "[Software\\\\Orlek\\\\Ranqor]\n"
              "proxy=10.0.0.2\n"
              "a line of a newer version\n"
              "# another comment\n"
              "precise=1\n"
              "\n"
              "[Other\\\\Program]\n"
              "colour=blue\n"
              "size=3\n");
}

TEST(SettingsStore, AFileThatIsNoSettingsFileIsReportedAndLeftAsItIs) {
    const std::string garbage[] = {
        "this is not\nan ini file\n",
        std::string("\x7f"
                    "ELF\0\0\x01",
                    7),
        "[Software\\Orlek\\Ranqor\nproxy=1\n",
        std::string("[k]\nname=va\0lue\n", 15),
    };
    for (const std::string& text : garbage) {
        TempDir dir;
        writeFileAtomically(dir / "settings.ini", text);
        SettingsStore store(dir / "settings.ini");
        EXPECT_THROW(store.writeValue(kKey, "proxy", "1"), SettingsError);
        EXPECT_THROW(store.createKey(kKey), SettingsError);
        EXPECT_THROW(store.readValue(kKey, "proxy"), SettingsError);
        EXPECT_EQ(readFileBytes(dir / "settings.ini"), text);
    }
    TempDir dir;
    writeFileAtomically(dir / "settings.ini", "junk\n");
    try {
        SettingsStore(dir / "settings.ini").writeValue(kKey, "proxy", "1");
    } catch (const SettingsError& e) {
        EXPECT_NE(std::string(e.what()).find((dir / "settings.ini").string()), std::string::npos) << e.what();
    }
}

TEST(SettingsStore, AReadOnlyFileIsNotReplaced) {
    TempDir dir;
    SettingsStore store(dir / "settings.ini");
    store.writeValue(kKey, "proxy", "10.0.0.1");
    const std::string before = readFileBytes(dir / "settings.ini");
    ::chmod((dir / "settings.ini").c_str(), 0400);
    EXPECT_THROW(store.writeValue(kKey, "proxy", "10.0.0.2"), SettingsError);
    EXPECT_EQ(readFileBytes(dir / "settings.ini"), before);
    EXPECT_EQ(store.readValue(kKey, "proxy"), "10.0.0.1");
}

TEST(SettingsStore, ALinkedFileIsChangedWhereItLies) {
    TempDir dir;
    std::filesystem::create_directories(dir / "dotfiles");
    writeFileAtomically(dir / "dotfiles" / "orlek.ini", "[Software\\\\Orlek\\\\Vistral]\nproxy=1\n", true);
    std::filesystem::create_symlink("dotfiles/orlek.ini", dir / "settings.ini");
    SettingsStore store(dir / "settings.ini");
    store.writeValue(kKey, "timeout", "45");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "settings.ini"));
    EXPECT_EQ(readFileBytes(dir / "dotfiles" / "orlek.ini"),
              "[Software\\\\Orlek\\\\Vistral]\nproxy=1\ntimeout=45\n");
}

TEST(SettingsStore, TwoProgramsWritingAtOnceKeepEachOthersValues) {
    TempDir dir;
    const std::filesystem::path file = dir / "settings.ini";
    constexpr int kEach = 300;
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    std::vector<pid_t> writers;
    for (char program : {'a', 'b'}) {
        pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            char go;
            int status = ::read(start[0], &go, 1) == 1 ? 0 : 2;
            try {
                SettingsStore store(file);
                for (int i = 0; i < kEach; ++i)
                    store.writeValue(kKey, program + std::to_string(i), std::to_string(i));
            } catch (...) {
                status = 1;
            }
            ::_exit(status);
        }
        writers.push_back(pid);
    }
    // Both start at once, so their writes interleave.
    ASSERT_EQ(::write(start[1], "go", 2), 2);
    for (pid_t pid : writers) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ::close(start[0]);
    ::close(start[1]);

    SettingsStore store(file);
    int surviving = 0;
    for (char program : {'a', 'b'}) {
        for (int i = 0; i < kEach; ++i)
            surviving += store.readValue(kKey, program + std::to_string(i)) == std::to_string(i);
    }
    EXPECT_EQ(surviving, 2 * kEach);
}
