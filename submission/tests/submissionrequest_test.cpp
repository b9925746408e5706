#include "submission/core/submissionrequest.h"

#include <gtest/gtest.h>

#include "pageprep/core/projectcontext.h"
#include "platform/core/programfolder.h"
#include "platform/core/safefile.h"
#include "platform/tests/tempdir.h"
#include "submission/core/categorytranslation.h"
#include "submission/core/profile.h"

namespace {

using Lines = std::vector<std::string>;

// A program folder with one definition, and the request the run would build from it.
class RequestBuilding : public ::testing::Test {
protected:
    TempDir dir;
    ProgramFolder folder{dir.path()};
    SubmissionProfile profile{"Ann",           "Smith",      "ann@example.com", "Shoes Ltd",
                              "Shoes & socks", "A#1 + 100%", "shoes, socks"};
    Lines warnings;
    Lines errors;

    std::optional<std::string> build(const std::string& definition, const std::string& engine,
                                     const std::string& category, const std::string& webPath,
                                     const std::string& entry) {
        writeFileAtomically(dir / "edata" / (engine + ".hdf"), definition);
        TemplateVariables variables;
        variables['G'] = "left over";
        setSubmissionVariables(variables, profile, translateCategory(engine, category),
                               pageAddress(webPath, entry));
        const DefinitionMessages messages{[this](const std::string& t) { warnings.push_back(t); },
                                          [this](const std::string& t) { errors.push_back(t); }};
        return LoadData(folder.resolve(submissionDefinitionPath(engine)), variables, messages);
    }
    std::optional<std::string> build(const std::string& requestTemplate) {
        return build("1\r\n" + requestTemplate + "\r\n", "Teoma", "Travel", "http://www.shop.com",
                     "index.htm");
    }
};

}  // namespace

TEST_F(RequestBuilding, PlaceholdersInEitherCase) {
    struct Case {
        const char* requestTemplate;
        const char* request;
        const char* warning;  // empty for none
    };
    const Case cases[] = {
        {"http://e.com/add?d=#A&t=#B&k=#C&n=#D&e=#E&c=#F&u=#H",
         "http://e.com/add?d=Shoes %26 socks&t=A%231 %2B 100%25&k=shoes, "
         "socks&n=Smith&e=ann@example.com&c=Travel"
         "&u=http://www.shop.com/index.htm",
         ""},
        {"#a|#b|#c|#d|#e|#f|#h",
         "Shoes %26 socks|A%231 %2B 100%25|shoes, "
         "socks|Smith|ann@example.com|Travel|http://www.shop.com/index.htm",
         ""},
        {"a##b", "a#b", ""},
        {"##C", "#C", ""},
        {"####", "##", ""},
        {"x=#Gy", "x=y", ""},  // always empty, never a warning
        {"x=#gy", "x=y", ""},
        {"x=#Zy", "x=y", "Invalid variable:Z encountered. Ignoring it."},
        {"x=#zy", "x=y", "Invalid variable:Z encountered. Ignoring it."},
        {"x=#1y", "x=y", "Invalid variable:1 encountered. Ignoring it."},
        {"x=#&y", "x=y", "Invalid variable:& encountered. Ignoring it."},
        {"t=#B#", "t=A%231 %2B 100%25", "Invalid variable: encountered. Ignoring it."},
        {"#", "", "Invalid variable: encountered. Ignoring it."},
    };
    for (const Case& c : cases) {
        warnings.clear();
        EXPECT_EQ(build(c.requestTemplate), c.request) << c.requestTemplate;
        EXPECT_EQ(warnings, c.warning[0] ? Lines{c.warning} : Lines{}) << c.requestTemplate;
        EXPECT_TRUE(errors.empty());
    }
}

TEST_F(RequestBuilding, OnlyTheFourCharactersThatCutARequestAreEncodedAndNeverTheCategory) {
    profile.siteTitle = "100% #1 & more+less = =?/ é";
    profile.email = "a+b@example.com";
    EXPECT_EQ(build("t=#B&e=#E"), "t=100%25 %231 %26 more%2Bless = =?/ é&e=a%2Bb@example.com");
    // An inserted "#" is never expanded again.
    profile.siteTitle = "#H##";
    EXPECT_EQ(build("t=#B"), "t=%23H%23%23");
    EXPECT_EQ(build("1\r\nc=#F\r\n", "Brit Index", "Autos", "http://s.com", "a.htm"),
              "c=Cars & Motoring : Miscellaneous");
    EXPECT_EQ(build("1\r\nc=#F\r\n", "SurfGopher", "Autos", "http://s.com", "a.htm"), "c=T17=1");
    EXPECT_EQ(build("1\r\nc=#F\r\n", "Teoma", "50% & more #2", "http://s.com", "a.htm"), "c=50% & more #2");
}

TEST_F(RequestBuilding, ThePageAddressIsTheWebPathAndTheEntrysFileName) {
    struct Case {
        const char* webPath;
        const char* entry;
        const char* request;
    };
    const Case cases[] = {
        {"http://www.shop.com", "C:\\web\\index.htm", "u=http://www.shop.com/index.htm"},
        {"http://www.shop.com", "sub/page.htm", "u=http://www.shop.com/sub/page.htm"},
        {"http://www.shop.com/", "index.htm", "u=http://www.shop.com//index.htm"},
        {"http://www.shop.com", "docs:page.htm", "u=http://www.shop.com/page.htm"},
        {"http://www.shop.com", "a&b #2.htm", "u=http://www.shop.com/a%26b %232.htm"},
        {"", "index.htm", "u=/index.htm"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(build("1\r\nu=#H\r\n", "Teoma", "", c.webPath, c.entry), c.request) << c.entry;
}

TEST_F(RequestBuilding, TheCategoryIsTranslatedForTheEngine) {
    struct Case {
        const char* engine;
        const char* category;
        const char* request;
    };
    const Case cases[] = {
        {"NetCrawler", "Autos", "c=LIFESTYLE/AUTOS"},
        {"NetCrawler", "", "c=COMPUTERS_INTERNET/WWW"},
        {"Matilda", "Travel", "c=Recreation_and_Sport.Accommodation"},
        {"Pengs", "Money/Investing", "c=Business/Finance_and_Investment"},
        {"Jayde", "Home/Real Estate", "c=Bus Real Estate"},
        {"Nerd World", "Other", "c=World"},
        {"SurfGopher", "", "c=T1=1"},
        {"A2Zsolutions", "People/Chat", "c=Community:Social Activities"},
        {"Cyber Whiz", "LifeStyle", "c=Society"},
        {"Thunder", "", "c=23"},
        {"Thunder", "News", "c=17"},
        {"WWW Hunter", "Sports", "c=../cgi-bin/databases/sports.txt"},
        {"Ananzi", "Classifieds/Auctions", "c=C"},
        {"Brit Index", "Small Business", "c=Business, Economy, Money : Business Organisations"},
        {"FatHead Search", "Shopping", "c=20"},
        {"Thunder", "Travel ", "c=Travel "},
        {"Teoma", "", "c="},
        {"Teoma", "Autos", "c=Autos"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(build("1\r\nc=#F\r\n", c.engine, c.category, "http://s.com", "a.htm"), c.request)
            << c.engine << " / " << c.category;
}

TEST_F(RequestBuilding, DefinitionLines) {
    struct Case {
        const char* file;
        const char* request;
    };
    const Case cases[] = {
        {"1\r\nu=#H\r\nignored\r\n", "u=http://www.shop.com/index.htm"},
        {"0\r\nu=#H\r\n", "u=http://www.shop.com/index.htm"},  // the flag changes nothing
        {"\r\nu=#H\r\n", ""},                                  // an empty line gives the empty address
        {"1\r\n\r\n", ""},
        {"1\r\n", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(build(c.file, "Teoma", "", "http://www.shop.com", "index.htm"), c.request) << c.file;
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(warnings.empty());
}

TEST_F(RequestBuilding, AMissingDefinitionGivesNoRequestAndNamesTheFile) {
    TemplateVariables variables;
    const DefinitionMessages messages{[this](const std::string& t) { warnings.push_back(t); },
                                      [this](const std::string& t) { errors.push_back(t); }};
    const std::filesystem::path path = folder.resolve(submissionDefinitionPath("Lycos"));
    EXPECT_EQ(LoadData(path, variables, messages), std::nullopt);
    EXPECT_EQ(errors, Lines{"Error writing to " + path.string()});
    EXPECT_EQ(path, dir / "edata" / "Lycos.hdf");
}

TEST(SubmissionStatus, OnlyTheThreeSuccessLinesExactly) {
    struct Case {
        const char* statusLine;
        bool accepted;
    };
    const Case cases[] = {
        {"HTTP/1.0 200 OK", true},
        {"HTTP/1.1 200 OK", true},
        {"Status: HTTP/1.1 200 Document Follows", true},
        {"HTTP/1.1 200 Ok", false},
        {"HTTP/1.0 200 OK ", false},
        {"HTTP/1.0  200 OK", false},
        {"http/1.0 200 OK", false},
        {"HTTP/1.0 200 Document Follows", false},
        {"HTTP/2 200 OK", false},
        {"HTTP/1.0 302 Found", false},
        {"HTTP/1.0 404 Not Found", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(submissionAccepted(c.statusLine), c.accepted) << c.statusLine;
}

TEST_F(RequestBuilding, TheIndexNowKeyFillsKInEitherCaseAndIsEncodedLikeTheOtherValues) {
    const struct {
        const char* key;
        const char* request;
    } cases[] = {
        {"5b2e8a47-c9f1",
         "https://api.e.com/indexnow?url=http://www.shop.com/index.htm&key=5b2e8a47-c9f1|5b2e8a47-c9f1"},
        {"a&b#c", "https://api.e.com/indexnow?url=http://www.shop.com/index.htm&key=a%26b%23c|a%26b%23c"},
        {"", "https://api.e.com/indexnow?url=http://www.shop.com/index.htm&key=|"},
    };
    for (const auto& c : cases) {
        profile.indexNowKey = c.key;
        EXPECT_EQ(build("https://api.e.com/indexnow?url=#H&key=#K|#k"), c.request) << c.key;
    }
    EXPECT_TRUE(warnings.empty());
    // The letters after K are still no variables.
    EXPECT_EQ(build("x=#L"), "x=");
    EXPECT_EQ(warnings, Lines{"Invalid variable:L encountered. Ignoring it."});
}

TEST(IndexNowKeyRow, AProfileWithoutTheRowGivesTheEmptyKey) {
    GridTable old(2, 3);
    old.setCell(0, 1, "E-Mail Address");
    old.setCell(1, 1, "ann@example.com");
    old.setCell(0, 2, "Site Key Words");
    old.setCell(1, 2, "shoes");
    EXPECT_EQ(submissionProfile(old).indexNowKey, "");
    GridTable current(2, 2);
    current.setCell(0, 1, " IndexNow Key ");
    current.setCell(1, 1, " 5b2e8a47c9f1 ");
    EXPECT_EQ(submissionProfile(current).indexNowKey, "5b2e8a47c9f1");
}

TEST(SuccessLines, NameTheCodesThatCountAsSuccess) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<int> codes;
        Lines problems;
    };
    const std::string head = "1\r\nhttps://e.com/?u=#H\r\n";
    const Case cases[] = {
        {"none", head, {}, {}},
        {"blanks", head + "Success: 200 202\r\n", {200, 202}, {}},
        {"commas, tabs and any case", head + "  success:\t200,202 ,204\r\n", {200, 202, 204}, {}},
        {"two lines add up", head + "Success: 200\r\nHeader: X-Key: k\r\nSUCCESS: 202\r\n", {200, 202}, {}},
        {"line 1 and 2 are never read as one", "Success: 200\r\nSuccess: 202\r\n", {}, {}},
        {"a word is no code",
         head + "Success: 200 OK\r\n",
         {},
         {"line 3: \"OK\" is no status code from 100 to 599"}},
        {"out of range",
         head + "Success: 200 600\r\n",
         {},
         {"line 3: \"600\" is no status code from 100 to 599"}},
        {"too long", head + "Success: 2000\r\n", {}, {"line 3: \"2000\" is no status code from 100 to 599"}},
        {"empty",
         head + "Success:\r\nSuccess: 202\r\n",
         {202},
         {"line 3: no status code after \"Success:\""}},
        {"another word is no success line", head + "Successful: 200\r\n", {}, {}},
    };
    for (const Case& c : cases) {
        SuccessCodes read = readSuccessCodes(c.text);
        EXPECT_EQ(read.codes, c.codes) << c.name;
        EXPECT_EQ(read.problems, c.problems) << c.name;
    }
}

TEST(SubmissionStatus, SuccessCodesJudgeByTheCodeAlone) {
    struct Case {
        const char* statusLine;
        std::vector<int> codes;
        bool accepted;
    };
    const Case cases[] = {
        {"HTTP/1.1 202 Accepted", {200, 202}, true},
        {"HTTP/1.1 200 OK", {200, 202}, true},
        {"HTTP/1.1 200 Ok", {200, 202}, true},
        {"HTTP/2 200", {200, 202}, true},
        {"HTTP/2 202 ", {200, 202}, true},
        {"HTTP/1.1 422 Unprocessable Entity", {200, 202}, false},
        {"HTTP/1.1 2020 Odd", {200, 202}, false},
        {"HTTP/1.1 20 Odd", {200, 202}, false},
        {"HTTP/1.1", {200, 202}, false},
        {"Status: HTTP/1.1 200 Document Follows", {200}, false},
        {"", {200}, false},
        // Without codes the exact lines rule as ever.
        {"HTTP/1.1 202 Accepted", {}, false},
        {"HTTP/1.1 200 OK", {}, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(submissionAccepted(c.statusLine, c.codes), c.accepted) << c.statusLine;
}

TEST_F(RequestBuilding, ADefinitionGivesItsHeadersAndSuccessCodesWithItsRequest) {
    writeFileAtomically(dir / "edata" / "Api.hdf",
                        "1\r\nhttps://api.e.com/?u=#H\r\nHeader: X-Key: k-1\r\nSuccess: 200 202\r\n"
                        "Success: 2xx\r\nHeader: Broken\r\n");
    TemplateVariables variables;
    variables['H'] = "http://www.shop.com/a.htm";
    std::optional<SubmissionDefinition> read =
        loadSubmissionDefinition(folder.resolve(submissionDefinitionPath("Api")), variables, {});
    ASSERT_TRUE(read);
    EXPECT_EQ(read->address, "https://api.e.com/?u=http://www.shop.com/a.htm");
    EXPECT_EQ(read->headers, Lines{"X-Key: k-1"});
    EXPECT_EQ(read->successCodes, (std::vector<int>{200, 202}));
    EXPECT_EQ(read->problems, (Lines{"line 6: no header field \"Name: value\" after \"Header:\"",
                                     "line 5: \"2xx\" is no status code from 100 to 599"}));
    EXPECT_EQ(loadSubmissionDefinition(folder.resolve(submissionDefinitionPath("None")), variables, {}),
              std::nullopt);
}

TEST(ShippedIndexNow, AnnouncesThePageWithTheKeyAndTakesBothItsSuccessAnswers) {
    TemplateVariables variables;
    SubmissionProfile profile;
    profile.indexNowKey = "5b2e8a47c9f1";
    setSubmissionVariables(variables, profile, "", "https://www.shop.com/new.htm");
    std::optional<SubmissionDefinition> read = loadSubmissionDefinition(
        std::filesystem::path(VISTRAL_DATA_DIR) / "edata" / "IndexNow.hdf", variables, {});
    ASSERT_TRUE(read);
    EXPECT_EQ(read->address,
              "https://api.indexnow.org/indexnow?url=https://www.shop.com/new.htm&key=5b2e8a47c9f1");
    EXPECT_EQ(read->successCodes, (std::vector<int>{200, 202}));
    EXPECT_TRUE(read->headers.empty());
    EXPECT_TRUE(read->problems.empty());
}
