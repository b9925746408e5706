#include "position/core/termlist.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

TEST(TermList, AddsEachNewTermOnceInOrderRespectingLetterCase) {
    TermList list;
    list.addTerms({"seo", "SEO", "seo", "", "web promotion"});
    list.addTerms({"web promotion", "ranking"});
    Lines captions;
    for (const TermEntry& e : list.entries())
        captions.push_back(e.caption);
    EXPECT_EQ(captions, (Lines{"seo", "SEO", "", "web promotion", "ranking"}));
    for (const TermEntry& e : list.entries())
        EXPECT_FALSE(e.marked);
}

TEST(TermList, MarksSelectAndDelete) {
    TermList list;
    list.addTerms({"a", "b", "c", "d"});
    list.setMark(1, true);
    list.setMark(3, true);
    EXPECT_EQ(list.markedCaptions(), (Lines{"b", "d"}));
    list.deleteMarked();
    EXPECT_EQ(list.size(), 2);
    EXPECT_TRUE(list.markedCaptions().empty());
    list.setAllMarks(true);
    EXPECT_EQ(list.markedCaptions(), (Lines{"a", "c"}));
    list.deleteMarked();
    EXPECT_EQ(list.size(), 0);
}

TEST(TermFile, WritesCountsWidthAndNonEmptyCaptions) {
    TermList list;
    list.addTerms({"alpha", "", "line\r\nbreak"});
    list.setMark(0, true);
    EXPECT_EQ(list.toTermFile(), "1,3\r\ncw 0,250\r\n0,0,alpha\r\n0,2,line\t\bbreak\r\n");
}

TEST(TermFile, RoundTripKeepsEmptyCaptionsAndLineBreaksButNoMarks) {
    TermList list;
    list.addTerms({"alpha", "", "line\r\nbreak"});
    list.setAllMarks(true);
    list.setColumnWidth(180);
    TermList back;
    back.readTermFile(list.toTermFile(), "terms.tms");
    ASSERT_EQ(back.size(), 3);
    EXPECT_EQ(back.entries()[0].caption, "alpha");
    EXPECT_EQ(back.entries()[1].caption, "");
    EXPECT_EQ(back.entries()[2].caption, "line\r\nbreak");
    EXPECT_TRUE(back.markedCaptions().empty());
    EXPECT_EQ(back.columnWidth(), 180);
}

TEST(TermFile, BadFilesGiveTheirMessages) {
    struct Case {
        const char* bytes;
        const char* message;
    };
    const Case cases[] = {
        {"", "File contains no data or corrupt file t.tms"},
        {"1,0\r\n", "File contains no data or corrupt file t.tms"},
        {"0,3\r\n", "File contains no data or corrupt file t.tms"},
        {"1,2\r\n0,2,beyond\r\n", "List index out of bounds (2)"},
        {"1,999999999\r\n0,0,x\r\n", "File contains no data or corrupt file t.tms"},
        {"x,1\r\n", "'x' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        TermList list;
        list.addTerms({"old"});
        try {
            list.readTermFile(c.bytes, "t.tms");
            ADD_FAILURE() << "no error for " << c.bytes;
        } catch (const TermFileError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
        // The list was emptied before reading.
        for (const TermEntry& e : list.entries())
            EXPECT_NE(e.caption, "old");
    }
}

TEST(TermFile, ReadsLfOnlyFilesAndFurtherColumns) {
    TermList list;
    list.readTermFile("2,2\ncw 0,100\ncw 1,50\n0,0,a\n1,0,note\n0,1,b\n", "t.tms");
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list.entries()[0].caption, "a");
    EXPECT_EQ(list.entries()[0].subItems, Lines{"note"});
    EXPECT_EQ(list.entries()[1].caption, "b");
    EXPECT_EQ(list.columnWidth(), 100);
}

TEST(TermFile, EntriesGoUpToTheLastTermTheFileHoldsAndEmptyOnesAreNeverSearched) {
    struct Case {
        const char* bytes;
        Lines captions;  // of the entries read
        Lines searched;  // with every entry marked
    };
    const Case cases[] = {
        {"1,40\r\ncw 0,250\r\n0,0,seo ranking and more words to fill the file\r\n",
         {"seo ranking and more words to fill the file"},
         {"seo ranking and more words to fill the file"}},
        {"1,3\r\n0,0,alpha\r\n0,2,gamma\r\n", {"alpha", "", "gamma"}, {"alpha", "gamma"}},
        {"1,3\r\ncw 0,250\r\n", {}, {}},
        {"2,4\r\n1,3,note only\r\n", {"", "", "", ""}, {}},
    };
    for (const Case& c : cases) {
        TermList list;
        list.readTermFile(c.bytes, "t.tms");
        Lines captions;
        for (const TermEntry& e : list.entries())
            captions.push_back(e.caption);
        EXPECT_EQ(captions, c.captions) << c.bytes;
        list.setAllMarks(true);
        EXPECT_EQ(list.markedCaptions(), c.searched) << c.bytes;
    }
}
