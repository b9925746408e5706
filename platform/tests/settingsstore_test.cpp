#include "platform/core/settingsstore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

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
    const std::string tricky[] = {"", "10.0.0.1:8080", "a=b=c", "line\r\nbreak", "back\\slash", "[not a key]",
                                  std::string("nul\0inside", 10), "p\xE4ss"};
    {
        SettingsStore store(dir / "settings.ini");
        int i = 0;
        for (const std::string& value : tricky) store.writeValue("\\Software\\Orlek\\Vistral", "v" + std::to_string(i++), value);
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
