#include "platform/core/text.h"

#include <gtest/gtest.h>

#include "platform/core/safefile.h"
#include "platform/tests/tempdir.h"

TEST(Text, UpperCaseTouchesAsciiLettersOnly) {
    EXPECT_EQ(upperAscii("http://www.Example.com/\xE4"), "HTTP://WWW.EXAMPLE.COM/\xE4");
    EXPECT_EQ(lowerAscii("HTTPS:"), "https:");
    EXPECT_TRUE(equalsIgnoringCase("Google", "GOOGLE"));
    EXPECT_FALSE(equalsIgnoringCase("\xE4", "\xC4"));
    EXPECT_TRUE(startsWithIgnoringCase("MailTo:x", "mailto:"));
}

TEST(Text, LineBreaksBecomeCrLf) {
    EXPECT_EQ(withCrLf("a\nb\rc\r\nd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(withCrLf("\r\r\n\n"), "\r\n\r\n\r\n");
    EXPECT_EQ(withCrLf(""), "");
}

TEST(Text, SplitLinesTakesEveryKindOfBreakAndNoEmptyLastLine) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(splitLines("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(splitLines(""), Lines{});
}

TEST(Text, TrimRemovesBlanksAndControlCharactersAtBothEndsOnly) {
    EXPECT_EQ(trimText(" \t\r\n a b \x01\x1f "), "a b");
    EXPECT_EQ(trimText(std::string("\0x\0", 3)), "x");
    EXPECT_EQ(trimText("\xa0word\xa0"), "\xa0word\xa0");  // bytes above 127 are letters of a code page
    EXPECT_EQ(trimText("   "), "");
}

TEST(SafeFile, WritesReplaceAndReadBack) {
    TempDir dir;
    writeFileAtomically(dir / "a" / "b.txt", "one");
    writeFileAtomically(dir / "a" / "b.txt", std::string("two\0bytes", 9));
    EXPECT_EQ(readFileBytes(dir / "a" / "b.txt"), std::string("two\0bytes", 9));
    EXPECT_THROW(readFileBytes(dir / "missing.txt"), FileError);
    // No temporary file is left behind.
    int entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir / "a"))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(SafeFile, ANewFileNeverReplacesOneThatExists) {
    TempDir dir;
    EXPECT_TRUE(writeNewFileAtomically(dir / "h" / "a.vhs", "first"));
    EXPECT_FALSE(writeNewFileAtomically(dir / "h" / "a.vhs", "second"));
    EXPECT_EQ(readFileBytes(dir / "h" / "a.vhs"), "first");
    int entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir / "h"))
        ++entries;
    EXPECT_EQ(entries, 1);
    writeFileAtomically(dir / "blocker", "x");
    EXPECT_THROW(writeNewFileAtomically(dir / "blocker" / "a.vhs", "x"), FileError);
}
