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

TEST(RanqorSettings, TheResultPageLimitIsAWholeNumberOfMebibytesElseSixteen) {
    struct Case {
        std::optional<std::string> stored;
        long long limit;
    };
    const Case cases[] = {
        {std::nullopt, 16 << 20}, {"1", 1 << 20},   {"64", 64 << 20},   {"2047", 2047LL << 20},
        {"0", 16 << 20},          {"-5", 16 << 20}, {"2048", 16 << 20}, {"1.5", 16 << 20},
        {"", 16 << 20},           {" 8", 16 << 20}, {"lots", 16 << 20},
    };
    for (const Case& c : cases) {
        TempDir dir;
        SettingsStore store(dir / "settings.ini");
        if (c.stored)
            store.writeValue(kRanqorKey, "pagelimit", *c.stored);
        EXPECT_EQ(resultPageLimit(store), c.limit) << c.stored.value_or("(none)");
    }
}
