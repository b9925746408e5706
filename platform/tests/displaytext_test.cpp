#include "platform/displaytext.h"

#include <gtest/gtest.h>

TEST(DisplayText, Utf8IsShownAsUtf8AndOtherBytesAsWindows1252) {
    EXPECT_EQ(toDisplay("caf\xC3\xA9"), QString::fromUtf8("caf\xC3\xA9"));
    EXPECT_EQ(toDisplay("caf\xE9"), QString::fromUtf8("caf\xC3\xA9"));
    EXPECT_EQ(toDisplay("\x80 \x93quoted\x94"),
              QString::fromUtf8("\xE2\x82\xAC \xE2\x80\x9Cquoted\xE2\x80\x9D"));
    // A lead byte without its continuation is one Windows-1252 character.
    EXPECT_EQ(toDisplay("\xC3"), QString(QChar(0xC3)));
    EXPECT_EQ(fromDisplay(toDisplay("caf\xC3\xA9")), "caf\xC3\xA9");
}

TEST(LineBytes, UneditedLinesKeepTheirStoredBytes) {
    LineBytes bytes;
    bytes.remember("caf\xE9\r\nplain\r\n\x93quoted\x94\nna\xEFve");
    // The user changed "plain" and kept the rest: only the edited line is written anew.
    const std::string shown = fromDisplay(toDisplay("caf\xE9\r\nPLAIN \xC3\xA9\r\n\x93quoted\x94\nna\xEFve"));
    EXPECT_EQ(bytes.restore(shown), "caf\xE9\r\nPLAIN \xC3\xA9\r\n\x93quoted\x94\nna\xEFve");
    // A line typed anew that happens to read like a remembered one is that line.
    EXPECT_EQ(bytes.restore(fromDisplay(toDisplay("caf\xE9"))), "caf\xE9");
    bytes.clear();
    EXPECT_EQ(bytes.restore(shown), shown);
}
