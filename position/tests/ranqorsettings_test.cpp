#include "position/core/ranqorsettings.h"

#include <gtest/gtest.h>

#include "platform/core/settingsstore.h"
#include "platform/tests/tempdir.h"

TEST(RanqorSettings, AFirstStartCreatesTheKeyAndKeepsTheDefaults) {
    TempDir dir;
    SettingsStore store(dir / "s.ini");
    RanqorSettings s = RanqorSettings::read(store);
    EXPECT_TRUE(store.keyExists("\\Software\\Orlek\\Ranqor"));
    EXPECT_TRUE(s.precise);
    EXPECT_FALSE(s.topTen || s.otherSites || s.autoload);
}

TEST(RanqorSettings, StoredFlagsOtherThanZeroCountAsOn) {
    TempDir dir;
    SettingsStore store(dir / "s.ini");
    store.writeValue("\\Software\\Orlek\\Ranqor", "precise", "0");
    store.writeValue("\\Software\\Orlek\\Ranqor", "allten", "");
    store.writeValue("\\Software\\Orlek\\Ranqor", "topten", "yes");
    store.writeValue("\\Software\\Orlek\\Ranqor", "proxy", "10.0.0.1:8080");
    RanqorSettings s = RanqorSettings::read(store);
    EXPECT_FALSE(s.precise);
    EXPECT_TRUE(s.otherSites);
    EXPECT_TRUE(s.topTen);
    EXPECT_FALSE(s.autoload);
}

TEST(RanqorSettings, WritingStoresOneAndZeroAndLeavesTheProxyAlone) {
    TempDir dir;
    SettingsStore store(dir / "s.ini");
    store.writeValue("\\Software\\Orlek\\Ranqor", "proxy", "p:1");
    RanqorSettings s;
    s.precise = false;
    s.autoload = true;
    s.write(store);
    EXPECT_EQ(store.readValue(kRanqorKey, "precise"), "0");
    EXPECT_EQ(store.readValue(kRanqorKey, "autoload"), "1");
    EXPECT_EQ(store.readValue(kRanqorKey, "topten"), "0");
    EXPECT_EQ(store.readValue(kRanqorKey, "allten"), "0");
    EXPECT_EQ(store.readValue(kRanqorKey, "proxy"), "p:1");
    EXPECT_FALSE(RanqorSettings::read(store).precise);
}
