#include "sitetools/core/tickxmlp.h"

#include <gtest/gtest.h>

#include "sitetools/tests/xmlevents.h"

#include <new>
#include <stdexcept>

namespace {

using Events = std::vector<std::string>;

struct Case {
    const char* name;
    std::string document;
    Events expected;
    XmlOptions options = {};
};

std::ostream& operator<<(std::ostream& out, const Case& c) {
    return out << c.name;
}

XmlOptions preserving() {
    XmlOptions options;
    options.preserveWhiteSpace = true;
    return options;
}

XmlOptions noFlushOnEOL() {
    XmlOptions options;
    options.flushOnEOL = false;
    return options;
}

XmlOptions entities() {
    XmlOptions options;
    options.evalEntities = true;
    return options;
}

XmlOptions extraChars(std::string names, std::string spaces) {
    XmlOptions options;
    options.extraNameChars = std::move(names);
    options.extraSpaceChars = std::move(spaces);
    return options;
}

class TickXMLpCases : public testing::TestWithParam<Case> {};

TEST_P(TickXMLpCases, ReportsTheDocumentsEvents) {
    EXPECT_EQ(tokenize(GetParam().document, GetParam().options), GetParam().expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Markup, TickXMLpCases, testing::Values(
    Case{"LessThanNotStartingATagIsText", "a < b", {"text a < b"}},
    Case{"LessThanBeforeEqualsIsText", "if a<=b", {"text if a<=b"}},
    Case{"TagNameMayStartWithADigit", "<1st>", {"begin 1st"}},
    Case{"NamesKeepTheirCase", "<Div CLASS=x></dIV>", {"begin Div [CLASS=x]", "end dIV"}},
    Case{"TextBetweenTags", "<b>bold</b> rest", {"begin b", "text bold", "end b", "text  rest"}},
    Case{"SlashBeforeGtIsAnEmptyElement", "<br/>", {"empty br"}},
    Case{"SlashAfterBlankIsAnEmptyElement", "<br />", {"empty br"}},
    Case{"SlashAfterAttributeNameIsAnAttribute", "<br clear />", {"empty br [clear=] [/=]"}},
    Case{"SlashInsideAttributeName", "<a b/c>", {"begin a [b=] [c=]"}},
    Case{"EndTagEndsAtItsFirstBlank", "</a >x", {"end a", "text x"}},
    Case{"EndTagSkipsItsAttributes", "</a b=\">\">x", {"end a", "text \">x"}},
    Case{"EmptyEndTagName", "<//x>y", {"end ", "text y"}},
    Case{"Doctype", "<!DOCTYPE html>", {"meta DOCTYPE html"}},
    Case{"DeclarationKeepsBracketsAndQuotes", "<!DOCTYPE d [<!ENTITY e \"a>b\">]>x",
         {"meta DOCTYPE d [<!ENTITY e \"a>b\">]", "text x"}},
    Case{"DeclarationSingleQuotes", "<!X 'a>b'>", {"meta X 'a>b'"}},
    Case{"SingleDashIsADeclaration", "<!-x>", {"meta -x"}},
    Case{"EmptyComment", "<!---->", {"comment "}},
    Case{"ShortestComment", "<!-->", {"comment "}},
    Case{"Comment", "a<!-- b -- c -> d -->e", {"text a", "comment  b -- c -> d ", "text e"}},
    Case{"CommentKeepsOneDash", "<!-- x --->", {"comment  x -"}},
    Case{"CData", "<![CDATA[x]]>", {"section CDATA|x"}},
    Case{"SectionKeepsMarkupAndSingleBrackets", "<![ CDATA [<a>]b]>]]>z",
         {"section CDATA|<a>]b]>", "text z"}},
    Case{"ProcessingInstruction", "<?xml version=\"1.0\"?>\n<r/>", {"pi xml version=\"1.0\"", "empty r"}},
    Case{"ProcessingInstructionWithoutQuestionMark", "<?a>b?>", {"pi a>b"}},
    Case{"BangInsideTagNameStartsADeclaration", "x<a!b>", {"text x", "meta b"}},
    Case{"QuotedAndUnquotedValues", "<A HREF=\"page.html\" TARGET=_top>",
         {"begin A [HREF=page.html] [TARGET=_top]"}},
    Case{"BlanksAroundEquals", "<a href = \"x.html\">", {"begin a [href=x.html]"}},
    Case{"SingleQuotesKeepDoubleQuotes", "<a b='c\"d' e=\"f'g\">", {"begin a [b=c\"d] [e=f'g]"}},
    Case{"AttributesWithoutValues", "<input checked disabled>", {"begin input [checked=] [disabled=]"}},
    Case{"MissingValue", "<a b= > <a c=>", {"begin a [b=]", "text  ", "begin a [c=]"}},
    Case{"ValuesRunToTheNextBlank", "<a b=c d=e/f g=h>", {"begin a [b=c] [d=e/f] [g=h]"}},
    Case{"UnquotedValueBeforeSlashGt", "<img src=x.gif/>", {"empty img [src=x.gif]"}},
    Case{"QuotedValueBeforeSlashGt", "<img src=\"x.gif\"/>", {"empty img [src=x.gif]"}},
    Case{"LineBreaksInsideATag", "<a\nhref=x\r\n\ttitle='t'>", {"begin a [href=x] [title=t]"}},
    Case{"EntityStaysAsWrittenInValues", "<a href=\"a&amp;b.html\" c=&lt d='&#39;'>",
         {"begin a [href=a&amp;b.html] [c=&lt] [d=&#39;]"}},
    Case{"EntityWithoutSemicolonSplitsText", "R&D costs", {"text R", "text &D costs"}},
    Case{"EntityWithSemicolon", "a&amp;b", {"text a", "text &amp;b"}},
    Case{"LoneAmpersand", "a & b", {"text a ", "text & b"}},
    Case{"EntityBeforeATag", "x&y<b>", {"text x", "text &y", "begin b"}},
    Case{"EntityHandlerSeesEveryReference", "a&lt;b<p t=\"&#65;\">",
         {"text a", "entity lt|&lt;", "text &lt;b", "entity #65|&#65;", "begin p [t=&#65;]"}, entities()},
    Case{"LineFeedEndsTheTextRun", "a\nb", {"text a\n", "text b"}},
    Case{"EveryLineFeedIsItsOwnRun", "a\n\nb", {"text a\n", "text \n", "text b"}},
    Case{"LineFeedsAroundTagsAreDropped", "<p>\nx\n</p>", {"begin p", "text x", "end p"}},
    Case{"AllLineFeedsAfterATagAreDropped", "<p>\n\nx", {"begin p", "text x"}},
    Case{"LineFeedBeforeAStartTagStays", "x\n<p>", {"text x\n", "begin p"}},
    Case{"LineFeedAfterAnEndTagStays", "</p>\nx", {"end p", "text \n", "text x"}},
    Case{"LineFeedAfterACommentIsDropped", "<!--c-->\nx", {"comment c", "text x"}},
    Case{"LineFeedBeforeLessThanText", "a\n< b", {"text a\n", "text < b"}},
    Case{"PreservedLineFeeds", "<p>\nx\n</p>", {"begin p", "text \n", "text x\n", "end p"}, preserving()},
    Case{"WithoutFlushOnEOL", "a\nb\n<i>\nc\n</i>", {"text a\nb\n", "begin i", "text c", "end i"},
         noFlushOnEOL()},
    Case{"ColonIsNoNameCharacter", "<x:y a:b=1>", {"begin x [y=] [a:b=1]"}},
    Case{"ExtraNameCharacters", "<x:y a:b=1></x:y>", {"begin x:y [a:b=1]", "end x:y"}, extraChars(":", "")},
    Case{"ExtraNameCharactersInEntities", "a&b-c;d", {"text a", "text &b-c;d"}, extraChars("-", "")},
    Case{"ExtraSpaceCharacters", "<a b=1,c=2>", {"begin a [b=1] [c=2]"}, extraChars("", ",")},
    Case{"TextAtTheEndIsReportedByReset", "<p>text", {"begin p", "text text"}},
    Case{"LessThanAtTheEndIsText", "x<", {"text x<"}},
    Case{"LineFeedAtTheEndIsText", "x\n", {"text x\n"}},
    Case{"LineFeedAndLessThanAtTheEndAreText", "x\n<", {"text x\n", "text <"}},
    Case{"EntityAtTheEndIsText", "x &amp", {"text x ", "text &amp"}},
    Case{"UnfinishedTagAtTheEndIsDropped", "x<a href=", {"text x"}},
    Case{"UnfinishedCommentAtTheEndIsDropped", "<!-- x", {}}
));
// clang-format on

TEST(TickXMLp, AStartTagSplitOverTwoPiecesGivesOneEvent) {
    EXPECT_EQ(tokenize(std::vector<std::string_view>{"<a hr", "ef=x>"}), Events{"begin a [href=x]"});
    EXPECT_EQ(tokenize(std::vector<std::string_view>{"<a href=\"x", ".html\" t=_", "top>"}),
              Events{"begin a [href=x.html] [t=_top]"});
}

TEST(TickXMLp, AnElementReportsItsFirst64Attributes) {
    std::string tag = "<e";
    std::string expected = "begin e";
    for (int i = 1; i <= 70; ++i) {
        tag += " a" + std::to_string(i) + "=v" + std::to_string(i);
        if (i <= 64) {
            expected += " [a" + std::to_string(i) + "=v" + std::to_string(i) + "]";
        }
    }
    EXPECT_EQ(tokenize(tag + "><f x=1>"), (Events{expected, "begin f [x=1]"}));
}

TEST(TickXMLp, EntityHandlerReplacesTheValue) {
    TickXMLp parser;
    XmlEvents recorder(parser, true);
    recorder.entityValue = "&";
    parser.Input("a&amp;b <a href=\"x&amp;y\" t=&amp>");
    parser.Reset();
    EXPECT_EQ(recorder.events, (Events{"text a", "entity amp|&amp;", "text &b ", "entity amp|&amp;",
                                       "entity amp|&amp", "begin a [href=x&y] [t=&]"}));
}

TEST(TickXMLp, PropertiesHaveTheirDefaults) {
    TickXMLp parser;
    EXPECT_EQ(parser.ExtraNameChars(), "");
    EXPECT_EQ(parser.ExtraSpaceChars(), "");
    EXPECT_TRUE(parser.FlushOnEOL());
    EXPECT_FALSE(parser.PreserveWhiteSpace());
    parser.setExtraNameChars(":_");
    parser.setExtraSpaceChars(",");
    parser.setFlushOnEOL(false);
    parser.setPreserveWhiteSpace(true);
    EXPECT_EQ(parser.ExtraNameChars(), ":_");
    EXPECT_EQ(parser.ExtraSpaceChars(), ",");
    EXPECT_FALSE(parser.FlushOnEOL());
    EXPECT_TRUE(parser.PreserveWhiteSpace());
}

TEST(TickXMLp, ExtraCharactersApplyFromTheNextCharacterOn) {
    TickXMLp parser;
    XmlEvents recorder(parser);
    parser.setExtraNameChars(":");
    parser.setExtraSpaceChars(",");
    parser.Input("<x:y a=1,b=2>");
    parser.setExtraNameChars("");
    parser.setExtraSpaceChars("");
    parser.Input("<x:y a=1,b=2>");
    EXPECT_EQ(recorder.events, (Events{"begin x:y [a=1] [b=2]", "begin x [y=] [a=1,b=2]"}));
}

TEST(TickXMLp, InputStopsAtANulCharacter) {
    TickXMLp parser;
    XmlEvents recorder(parser);
    parser.Input(std::string_view("a<b\0<c>", 7));
    parser.Input(">d");
    parser.Reset();
    EXPECT_EQ(recorder.events, (Events{"text a", "begin b", "text d"}));
}

TEST(TickXMLp, ResetReportsPendingTextAndStartsClean) {
    TickXMLp parser;
    XmlEvents recorder(parser);
    parser.Input("one<a hr");
    parser.Reset(false);
    parser.Input("ef=x>");
    parser.Reset(true);
    parser.Input("two<a hr");
    parser.Reset(true);
    parser.Input("ef=x>");
    parser.Reset(true);
    EXPECT_EQ(recorder.events, (Events{"text one", "begin a [href=x]", "text two", "text ef=x>"}));
}

TEST(TickXMLp, NothingIsReportedAtTheEndOfAPiece) {
    TickXMLp parser;
    XmlEvents recorder(parser);
    parser.Input("some text");
    EXPECT_TRUE(recorder.events.empty());
    parser.Input(" more<b>");
    EXPECT_EQ(recorder.events, (Events{"text some text more", "begin b"}));
}

TEST(TickXMLp, AttributesAreReadableOnlyDuringElementEvents) {
    TickXMLp parser;
    std::vector<std::string> seen;
    parser.OnBeginElement = [&](TickXMLp* sender, const std::string& element) {
        seen.push_back(element + " " + std::to_string(sender->AttrCount()));
        if (sender->AttrCount() > 0) {
            seen.push_back(sender->AttrName(sender->AttrCount()) + "=" + sender->AttrValue(1));
        }
    };
    parser.OnEvalEntity = [&](TickXMLp* sender, const std::string&, std::string&) {
        seen.push_back("entity " + std::to_string(sender->AttrCount()));
    };
    parser.Input("<a x=1 y=&amp;>");
    parser.Input("<b>");
    EXPECT_EQ(seen, (Events{"entity 0", "a 2", "y=1", "b 0"}));
    EXPECT_EQ(parser.AttrCount(), 0);
}

TEST(TickXMLp, ReadingMissingAttributesRaisesEXMLp101) {
    TickXMLp parser;
    const auto message = [&](auto read) -> std::string {
        try {
            read();
        } catch (const EXMLp& e) {
            EXPECT_EQ(e.Code(), 101);
            EXPECT_EQ(parser.LastErrorCode(), 101);
            return e.what();
        }
        return "no error";
    };
    EXPECT_EQ(message([&] { parser.AttrName(1); }), "101: No attributes available.");
    std::vector<std::string> messages;
    parser.OnBeginElement = [&](TickXMLp* sender, const std::string&) {
        for (int index : {0, 1, 2, 3}) {
            messages.push_back(message([&] { sender->AttrValue(index); }));
        }
    };
    parser.OnEmptyElement = [&](TickXMLp* sender, const std::string&) {
        messages.push_back(message([&] { sender->AttrName(1); }));
    };
    parser.Input("<a x=1 y=2><br/>");
    EXPECT_EQ(messages, (Events{"101: Invalid attribute index.", "no error", "no error",
                                "101: Invalid attribute index.", "101: No attributes available."}));
    EXPECT_EQ(message([&] { parser.AttrValue(1); }), "101: No attributes available.");
}

TEST(TickXMLp, AThrowingHandlerLeavesNoAttributesBehind) {
    TickXMLp parser;
    parser.OnBeginElement = [](TickXMLp*, const std::string&) { throw std::runtime_error("handler"); };
    EXPECT_THROW(parser.Input("<a x=1>"), std::runtime_error);
    EXPECT_EQ(parser.AttrCount(), 0);
    EXPECT_THROW(parser.AttrName(1), EXMLp);
}

TEST(TickXMLp, RunningOutOfMemoryRaisesOutOfMemory) {
    TickXMLp parser;
    parser.OnText = [](TickXMLp*, const std::string&) { throw std::bad_alloc(); };
    try {
        parser.Input("text<b>");
        FAIL() << "no exception";
    } catch (const std::bad_alloc& e) {
        EXPECT_STREQ(e.what(), "Out of memory");
    }
}

TEST(TickXMLp, WorksWithoutHandlers) {
    TickXMLp parser;
    parser.Input("<a href=x>&amp; text\n<!-- c --><![CDATA[x]]><?pi?></a>");
    parser.Reset();
    XmlEvents recorder(parser);
    parser.Input("<b>");
    EXPECT_EQ(recorder.events, Events{"begin b"});
}

}  // namespace
