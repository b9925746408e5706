#include "platform/displaytext.h"

#include <gtest/gtest.h>

TEST(DisplayText, Utf8IsShownAsUtf8AndOtherBytesAsWindows1252) {
    EXPECT_EQ(toDisplay("caf\xC3\xA9"), QString::fromUtf8("caf\xC3\xA9"));
    EXPECT_EQ(toDisplay("caf\xE9"), QString::fromUtf8("caf\xC3\xA9"));
    EXPECT_EQ(toDisplay("\x80 \x93quoted\x94"), QString::fromUtf8("\xE2\x82\xAC \xE2\x80\x9Cquoted\xE2\x80\x9D"));
    // A lead byte without its continuation is one Windows-1252 character.
    EXPECT_EQ(toDisplay("\xC3"), QString(QChar(0xC3)));
    EXPECT_EQ(fromDisplay(toDisplay("caf\xC3\xA9")), "caf\xC3\xA9");
}
