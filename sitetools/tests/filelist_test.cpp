#include "sitetools/core/filelist.h"

#include "platform/tests/tempdir.h"

#include <gtest/gtest.h>

namespace {

using Entries = std::vector<std::string>;

struct ParseCase {
    const char* what;
    std::string bytes;
    Entries entries;
};

void PrintTo(const ParseCase& c, std::ostream* out) {
    *out << c.what;
}

class ParseFileList : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseFileList, GivesTheEntries) {
    EXPECT_EQ(parseFileList(GetParam().bytes), GetParam().entries) << GetParam().what;
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseFileList,
    ::testing::Values(ParseCase{"empty file", "", {}}, ParseCase{"one entry without a break", "a", {"a"}},
                      ParseCase{"CR LF ends a line", "a\r\nb\r\n", {"a", "b"}},
                      ParseCase{"LF alone ends a line", "a\nb\n", {"a", "b"}},
                      ParseCase{"CR alone ends a line", "a\rb\r", {"a", "b"}},
                      ParseCase{"mixed breaks", "a\nb\rc\r\nd", {"a", "b", "c", "d"}},
                      ParseCase{"LF CR is two breaks", "a\n\rb", {"a", "", "b"}},
                      ParseCase{"CR CR LF is two breaks", "a\r\r\nb", {"a", "", "b"}},
                      ParseCase{"two final breaks give one empty entry", "a\r\n\r\n", {"a", ""}},
                      ParseCase{"a lone break is one empty entry", "\r\n", {""}},
                      ParseCase{"empty lines inside are entries", "a\r\n\r\n\r\nb", {"a", "", "", "b"}},
                      ParseCase{"NUL ends the text", "a\r\nb\0c\r\nd"s, {"a", "b"}},
                      ParseCase{"NUL at the start", "\0a\r\n"s, {}},
                      ParseCase{"NUL between CR and LF", "a\r\0\nb"s, {"a"}},
                      ParseCase{"entries are taken whole",
                                "  spaced \t\r\n# not a comment\r\n",
                                {"  spaced \t", "# not a comment"}},
                      ParseCase{"8-bit bytes stay as they are",
                                "caf\xE9\r\n\xC3\xA9t\xC3\xA9",
                                {"caf\xE9", "\xC3\xA9t\xC3\xA9"}}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(FormatFileList, EndsEveryEntryWithCrLf) {
    EXPECT_EQ(formatFileList({}), "");
    EXPECT_EQ(formatFileList({""}), "\r\n");
    EXPECT_EQ(formatFileList({"a"}), "a\r\n");
    EXPECT_EQ(formatFileList({"http://a.example/", "", "b"}), "http://a.example/\r\n\r\nb\r\n");
}

TEST(FormatFileList, ReadsBackTheSameEntries) {
    for (const Entries& entries :
         {Entries{}, Entries{""}, Entries{"a", "", "b"}, Entries{"", ""}, Entries{" x "}}) {
        EXPECT_EQ(parseFileList(formatFileList(entries)), entries);
    }
}

TEST(FileListFiles, WriteAndReadAListAlikeForEitherExtension) {
    TempDir dir;
    for (const char* name : {"sub/list.fls", "sub/list.lls"}) {
        writeFileList(dir / name, {"one", "", "three"});
        EXPECT_EQ(readFileBytes(dir / name), "one\r\n\r\nthree\r\n");
        EXPECT_EQ(readFileList(dir / name), (Entries{"one", "", "three"}));
    }
}

TEST(FileListFiles, ReadingAMissingFileNamesItAndTheReason) {
    TempDir dir;
    try {
        readFileList(dir / "missing.fls");
        FAIL() << "no error";
    } catch (const FileListError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot read " + (dir / "missing.fls").string() + ": No such file or directory");
    }
    EXPECT_THROW(readFileListText(dir / "missing.fls"), FileListError);
}

TEST(FileListFiles, WritingWhereNoFileCanBeIsAnErrorAndLeavesNothing) {
    TempDir dir;
    writeFileList(dir / "plain", {"x"});
    // A folder cannot be made below a file.
    EXPECT_THROW(writeFileList(dir / "plain" / "list.fls", {"y"}), FileListError);
    EXPECT_THROW(writeFileListText(dir / "plain" / "list.fls", "y"), FileListError);
    EXPECT_EQ(readFileBytes(dir / "plain"), "x\r\n");
    try {
        writeFileListText("", "text");
        FAIL() << "no error";
    } catch (const FileListError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot write the file list: no file name was given");
    }
}

TEST(FileListText, IsTheFilesTextUpToANulWithCrLfBreaks) {
    TempDir dir;
    struct Case {
        std::string bytes;
        std::string text;
    };
    for (const Case& c : {Case{"a\nb\rc", "a\r\nb\r\nc"}, Case{"a\r\nb\r\n", "a\r\nb\r\n"},
                          Case{"a\n\n", "a\r\n\r\n"}, Case{"a\n\0hidden\n"s, "a\r\n"}, Case{"", ""}}) {
        writeFileAtomically(dir / "t.fls", c.bytes);
        EXPECT_EQ(readFileListText(dir / "t.fls"), c.text);
    }
}

TEST(FileListText, IsWrittenWithCrLfBreaksAndNoBreakAdded) {
    TempDir dir;
    struct Case {
        std::string text;
        std::string bytes;
    };
    for (const Case& c : {Case{"a\nb", "a\r\nb"}, Case{"a\nb\n", "a\r\nb\r\n"}, Case{"a\r\nb", "a\r\nb"},
                          Case{"", ""}, Case{"\n\n", "\r\n\r\n"}}) {
        writeFileListText(dir / "t.fls", c.text);
        EXPECT_EQ(readFileBytes(dir / "t.fls"), c.bytes);
    }
}

}  // namespace
