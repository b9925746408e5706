#include "position/core/resultpages.h"

#include <gtest/gtest.h>

TEST(ResultPages, PageCountsFollowTheEngineNameExactly) {
    struct Case {
        const char* engine;
        int pages;
        bool known;
    };
    const Case cases[] = {
        {"Altavista", 3, true},  {"Infoseek", 3, true}, {"HotBot", 3, true}, {"Dmoz", 2, true},
        {"IWon", 2, true},       {"Google", 1, true},   {"Excite", 1, true}, {"google", 1, false},
        {"AltaVista", 1, false}, {"Teoma", 1, false},   {"", 1, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(resultPageCount(c.engine), c.pages) << c.engine;
        EXPECT_EQ(isKnownResultEngine(c.engine), c.known) << c.engine;
    }
}

TEST(ResultPages, FileNames) {
    EXPECT_EQ(definitionFileName("Altavista", 1), "Altavista.hdf");
    EXPECT_EQ(definitionFileName("Altavista", 2), "Altavista2.hdf");
    EXPECT_EQ(resultFileName("Altavista", 3), "Altavista3.ef");
    EXPECT_EQ(resultFileName("Google", 1), "Google.ef");
}

TEST(ResultPages, PageTextJoinsFilesWithCrLfBreaksAndNothingBetween) {
    EXPECT_EQ(buildPageText({"a\nb", "c\r\nd\r", "\ne"}),
              "a\r\nb"
              "c\r\nd\r\n"
              "\r\ne");
    EXPECT_EQ(buildPageText({}), "");
}
