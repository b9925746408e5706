#include "pageprep/core/headreader.h"

#include <gtest/gtest.h>

#include "pageprep/core/headsteps.h"
#include "pageprep/tests/errormessage.h"

// Found by GoogleTest through the type's namespace when a comparison fails.
void PrintTo(const MetaTag& tag, std::ostream* out) {
    *out << "[" << tag.attribute << "|" << tag.name << "|" << tag.content << "]";
}

namespace {

const char* const Page = "page.htm";

TEST(ParseMetaTag, TakesAttributeNameAndContentApart) {
    struct Case {
        std::string line;
        MetaTag tag;
    };
    const Case cases[] = {
        {"<meta name=\"keywords\" content=\"web, site\">", {"name", "keywords", "web, site"}},
        {"  <META NAME=\"Description\" CONTENT=\"A b\">  ", {"NAME", "Description", "A b"}},
        {"<meta http-equiv=\"refresh\" content=\"5; url=x\">", {"http-equiv", "refresh", "5; url=x"}},
        // a self-closing end loses its slash, with or without a blank before it
        {"<meta name=\"keywords\" content=\"web, site\" />", {"name", "keywords", "web, site"}},
        {"<meta name=\"keywords\" content=\"web, site\"/>", {"name", "keywords", "web, site"}},
        // blank, slash, blank is no self-closing end: the slash goes as the closing quote would
        {"<meta name=\"keywords\" content=\"web, site\" / >", {"name", "keywords", "web, site\""}},
        // content first: no name value, and the content is what follows the first "="
        {"<meta content=\"About us\" name=\"description\">", {"content", "", "description"}},
        // first and last characters go whether or not they are quotes
        {"<meta name=keywords content=web>", {"name", "eyword", "e"}},
        {"<meta name=\"a=b\" content=\"c\">", {"name", "a=b", "\" content=\"c"}},
        {"<meta>", {"", "", ""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseMetaTag(c.line), c.tag) << c.line;
}

TEST(ParseMetaTag, RefusesLinesThatAreNoMetaTagOrStartWithTheContent) {
    const char* const invalid[] = {
        "<link rel=\"x\">",
        "<meta name=content=\"description\">",
        "<meta xcontent>",  // the first character goes even without "=", leaving "content" in front
        "",
    };
    for (const char* line : invalid)
        EXPECT_EQ(errorMessage<EInvalidMetaTag>([&] { ParseMetaTag(line); }), "not valid meta tag") << line;
    for (const char* line : {"<meta =x>", "<META = \"keywords\" content=\"k\">"})
        EXPECT_EQ(errorMessage<EMetaTagGeneralError>([&] { ParseMetaTag(line); }), "not valid meta tag")
            << line;
}

HeadBuffer laidOutHead(const std::vector<std::string>& lines) {
    HeadBuffer buffer;
    std::vector<std::string>& all = buffer.lines();
    all = {"<HEAD>", "<title>t</title>"};
    all.insert(all.end(), lines.begin(), lines.end());
    all.push_back("</HEAD>");
    return buffer;
}

TEST(ReadTags, TheFirstLineWithTheQuotedNameDecides) {
    struct Case {
        std::vector<std::string> lines;
        std::string description, keywords;
    };
    const Case cases[] = {
        {{"<meta name=\"description\" content=\"d\">", "<meta name=\"keywords\" content=\"k\">"}, "d", "k"},
        {{"<META NAME=\"KEYWORDS\" CONTENT=\"k\">"}, "", "k"},
        // another name mentioning the quoted key hides the right line
        {{"<meta name=\"author\" content=\"my \"description\" page\">",
          "<meta name=\"description\" content=\"d\">"},
         "",
         ""},
        // the first line holding the key is no meta line: the tag is not read
        {{"<link title=\"description\" href=x>", "<meta name=\"description\" content=\"d\">"}, "", ""},
        // a malformed meta line is passed over
        {{"<meta name=content=\"description\">", "<meta name=\"description\" content=\"after\">"},
         "after",
         ""},
        // the value goes where the tag looked for says, whatever name the line has
        {{"<meta name=\"keywords\" content=\"a \"description\" b\">"},
         "a \"description\" b",
         "a \"description\" b"},
        {{"<meta name=description content=\"unquoted\">"}, "", ""},
    };
    for (const Case& c : cases) {
        std::string description;
        std::string keywords;
        ReadTags(laidOutHead(c.lines), {"description=", "keywords="}, description, keywords);
        EXPECT_EQ(description, c.description) << c.lines.front();
        EXPECT_EQ(keywords, c.keywords) << c.lines.front();
    }
}

TEST(ReadTags, NeverReadsTheTitleLineAndLetsTheGeneralErrorThrough) {
    std::string description;
    std::string keywords;
    HeadBuffer titleLineOnly("<HEAD>\r\n<meta name=\"description\" content=\"x\">\r\n</HEAD>");
    ReadTags(titleLineOnly, {"description=", "keywords="}, description, keywords);
    EXPECT_EQ(description, "");

    EXPECT_THROW(ReadTags(laidOutHead({"<meta =\"description\">"}), {"description=", "keywords="},
                          description, keywords),
                 EMetaTagGeneralError);
}

TEST(ReadPageHead, ReadsRealWorldHeads) {
    struct Case {
        const char* shape;
        std::string page;
        PageHead head;
    };
    const Case cases[] = {
        {"upper-case tags",
         "<HTML>\n<HEAD>\n<TITLE>Shop</TITLE>\n<META NAME=\"DESCRIPTION\" CONTENT=\"Tools for gardens\">\n"
         "<META NAME=\"KEYWORDS\" CONTENT=\"garden, tools\">\n</HEAD>\n<BODY>\n</BODY></HTML>",
         {"Shop", "Tools for gardens", "garden, tools"}},
        {"meta tags split over lines (lines are joined without a blank)",
         "<html><head><title>Split</title>\r\n<meta name=\"description\"\r\n      content=\"Spread over\r\n"
         "      three lines\">\r\n<meta\r\n  name=\"keywords\" content=\"a, b\">\r\n</head><body>",
         {"Split", "Spread overthree lines", "a, b"}},
        {"content before name",
         "<html><head><title>C</title><meta content=\"About\" name=\"description\">"
         "</head><body>",
         {"C", "", ""}},
        {"script and style in the head",
         "<html>\n<head>\n<title>Scripted</title>\n<script type=\"text/javascript\">\n"
         "document.write('<meta name=\"description\" content=\"fake\">');\n</script>\n"
         "<style type=\"text/css\">\np { color: red; }\n</style>\n<meta name=\"description\" content=\"Real "
         "one\">\n"
         "<meta name=\"keywords\" content=\"real\">\n</head>\n<body>",
         {"Scripted", "Real one", "real"}},
        {"PICS-Label line",
         "<html><head>\n<meta http-equiv=\"PICS-Label\" content='(PICS-1.1 \"http://www.example.org/r.html\" "
         "l r "
         "(n 0 s 0 v 0 l 0))'>\n<title>Rated</title>\n<meta name=\"keywords\" content=\"rated, page\">\n"
         "<meta name=\"description\" content=\"A rated page\">\n</head><body>",
         {"Rated", "A rated page", "rated, page"}},
        {"frameset",
         "<html><head><title>Frames</title><meta name=\"keywords\" content=\"frames\"></head>\n"
         "<frameset cols=\"20%,80%\"><frame src=\"a.htm\"></frameset></html>",
         {"Frames", "", "frames"}},
        {"byte order mark",
         "\xEF\xBB\xBF<head><title>Bom</title><meta name=\"description\" content=\"With a "
         "mark\"></head><body>",
         {"Bom", "With a mark", ""}},
        {"title over two lines", "<head><title>Two\nLines</title></head><body>", {"Two Lines", "", ""}},
        {"no title", "<html><head></head><body>", {"Title Missing - Metrune", "", ""}},
        {"name not within quotes",
         "<head><title>U</title><meta name=description content=\"x\"></head><body>",
         {"U", "", ""}},
        {"blanks around an equals sign inside the content",
         "<head><title>E</title><meta name=\"description\" content=\"a = b <c\"></head><body>",
         {"E", "a=b<c", ""}},
        {"keywords mentioning the quoted word description stand first",
         "<head><title>K</title><meta name=\"keywords\" content=\"tools \"description\" shop\">"
         "<meta name=\"description\" content=\"real\"></head><body>",
         {"K", "tools \"description\" shop", "tools \"description\" shop"}},
        {"self-closing meta tags",
         "<head><title>X</title><meta name=\"description\" content=\"Closed\" />"
         "<meta name=\"keywords\" content=\"a, b\"/></head><body>",
         {"X", "Closed", "a, b"}},
        {"bytes are characters",
         "<head><title>Caf\xC3\xA9 &amp; more</title><meta name=\"keywords\" "
         "content=\"caf\xE9\"></head><body>",
         {"Caf\xC3\xA9 &amp; more", "", "caf\xE9"}},
    };
    for (const Case& c : cases) {
        PageHead head;
        ReadPageHead(c.page, Page, head);
        EXPECT_EQ(head.title, c.head.title) << c.shape;
        EXPECT_EQ(head.description, c.head.description) << c.shape;
        EXPECT_EQ(head.keywords, c.head.keywords) << c.shape;
    }
}

TEST(ReadPageHead, KeepsTheTitleReadBeforeAFault) {
    PageHead head{"old", "old", "old"};
    EXPECT_THROW(ReadPageHead("<head><title>Kept</title><script>x</head><body>", Page, head),
                 EInvalidHTMLFile);
    EXPECT_EQ(head, (PageHead{"Kept", "", ""}));

    // The description was read when the general error came up looking for the keywords. (A blank
    // before "=" would have been taken out with the other blanks around "=", a tab is not.)
    EXPECT_THROW(ReadPageHead("<head><title>T</title><meta name=\"description\" content=\"d\">"
                              "<meta\t=\"keywords\" content=\"k\"></head><body>",
                              Page, head),
                 EMetaTagGeneralError);
    EXPECT_EQ(head, (PageHead{"T", "", ""}));

    EXPECT_THROW(ReadPageHead("<head><title></title></head><body>", Page, head), EInvalidMetaTag);
    EXPECT_EQ(head, PageHead{});

    EXPECT_THROW(ReadPageHead("<head><title>T</title></head>", Page, head), EInvalidHTMLFile);
    EXPECT_EQ(head, PageHead{});
}

TEST(ReadPageHead, ShowsItsStepsInOrder) {
    std::vector<std::string> steps;
    int lines = 0;
    PageHead head;
    ReadPageHead("<html>\n<head>\n<title>P</title>\n<meta name=\"keywords\" content=\"k\">\n</head>\n<body>",
                 "p.htm", head, [&](std::string_view text, HeadProgressKind kind) {
                     if (kind == HeadProgressKind::Line) {
                         EXPECT_EQ(text, "Completing ");
                         ++lines;
                         // every joined line comes between the last step before the joining and the next
                         EXPECT_EQ(steps.back(), "Looking for HTML 4.0 (Possible Values) ...");
                     } else {
                         steps.emplace_back(text);
                     }
                 });
    EXPECT_EQ(steps, (std::vector<std::string>{
                         "Processing CRLF...", "Processing Setup meta lines...", "Positioning Head Block...",
                         "Correcting Formating - Title Line...", "Positioning Title Line...",
                         "Look for Link section...", "Looking for HTML 4.0 (Possible Values) ...",
                         "Completing <Head> section formatting", "Building Tag List...",
                         "Loading Description p.htm", "Loading Keywords p.htm", "Reading Tags..."}));
    // The title line, the meta line and the four empty lines that putting the title on a line of its
    // own twice has left around it.
    EXPECT_EQ(lines, 6);
    EXPECT_EQ(head, (PageHead{"P", "", "k"}));
}

TEST(ReadPageHead, ReadsAHeadOfTwentyThousandMetaLines) {
    std::string page = "<html>\n<head>\n<title>Many</title>\n";
    for (int i = 0; i < 20000; ++i)
        page += "<meta name=\"m" + std::to_string(i) + "\" content=\"value " + std::to_string(i) + "\">\n";
    page += "<meta name=\"keywords\" content=\"last, one\">\n</head>\n<body>";
    PageHead head;
    ReadPageHead(page, Page, head);
    EXPECT_EQ(head, (PageHead{"Many", "", "last, one"}));
}

}  // namespace
