#include "platform/core/definitionfile.h"

#include <gtest/gtest.h>

#include "platform/core/safefile.h"
#include "platform/tests/tempdir.h"

namespace {

struct Recorded {
    std::vector<std::string> warnings;
    std::vector<std::string> errors;
    DefinitionMessages messages() {
        return {[this](const std::string& t) { warnings.push_back(t); },
                [this](const std::string& t) { errors.push_back(t); }};
    }
};

}  // namespace

TEST(TemplateExpansion, FillsVariablesAndKeepsEverythingElse) {
    TemplateVariables vars;
    vars['C'] = "web promotion";
    vars['H'] = "http://www.example.com/";
    struct Case {
        const char* text;
        const char* expanded;
        int warnings;
    };
    const Case cases[] = {
        {"http://www.google.com/search?q=#C", "http://www.google.com/search?q=web promotion", 0},
        {"q=#c&site=#h", "q=web promotion&site=http://www.example.com/", 0},
        {"a##b", "a#b", 0},
        {"####", "##", 0},
        {"#A#B#D#E#F#G", "", 0},
        {"x#Zy", "xy", 1},
        {"#1#C#?", "web promotion", 2},
        {"", "", 0},
    };
    for (const Case& c : cases) {
        Recorded r;
        EXPECT_EQ(expandTemplate(c.text, vars, r.messages()), c.expanded) << c.text;
        EXPECT_EQ(static_cast<int>(r.warnings.size()), c.warnings) << c.text;
    }
}

TEST(TemplateExpansion, WarningNamesTheCharacterUpperCased) {
    TemplateVariables vars;
    Recorded r;
    expandTemplate("#z#Q", vars, r.messages());
    EXPECT_EQ(r.warnings, (std::vector<std::string>{"Invalid variable:Z encountered. Ignoring it.",
                                                    "Invalid variable:Q encountered. Ignoring it."}));
}

TEST(TemplateExpansion, ALoneHashAtTheEndIsAnError) {
    TemplateVariables vars;
    Recorded r;
    EXPECT_THROW(expandTemplate("q=#C#", vars, r.messages()), DefinitionError);
    EXPECT_THROW(expandTemplate("#", vars, r.messages()), DefinitionError);
    EXPECT_NO_THROW(expandTemplate("##", vars, r.messages()));
}

TEST(TemplateExpansion, EachProgramEncodesItsOwnValuesAndNoOthers) {
    TemplateVariables vars;
    vars['A'] = "Tips & tricks #1";
    vars['C'] = "c++ & c# tips";
    vars['F'] = "T17=1&x";
    vars['H'] = "http://www.example.com/a b?x=1&y=100%";
    struct Case {
        const char* text;
        TemplateRules rules;
        std::string expanded;
    };
    const Case cases[] = {
        {"q=#C&site=#h", kRanqorTemplateRules,
         "q=c%2B%2B %26 c%23 tips&site=http://www.example.com/a b?x=1%26y=100%25"},
        {"d=#a&c=#F", kRanqorTemplateRules, "d=Tips & tricks #1&c=T17=1&x"},
        {"d=#a&c=#F&u=#H", kVistralTemplateRules,
         "d=Tips %26 tricks %231&c=T17=1&x&u=http://www.example.com/a b?x=1%26y=100%25"},
        {"q=#C", TemplateRules{}, "q=c++ & c# tips"},
        // A "#" inside a value is never expanded again, encoded or not.
        {"#A", TemplateRules{}, "Tips & tricks #1"},
    };
    for (const Case& c : cases) {
        Recorded r;
        EXPECT_EQ(expandTemplate(c.text, vars, r.messages(), c.rules), c.expanded) << c.text;
        EXPECT_TRUE(r.warnings.empty()) << c.text;
    }
}

TEST(TemplateExpansion, TheSubmissionToolWarnsAtATrailingHashAndKeepsWhatWasBuilt) {
    TemplateVariables vars;
    vars['B'] = "Title";
    Recorded r;
    EXPECT_EQ(expandTemplate("t=#B&x=#", vars, r.messages(), kVistralTemplateRules), "t=Title&x=");
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_EQ(r.warnings[0].rfind("Invalid variable:", 0), 0u);
    EXPECT_THROW(expandTemplate("t=#B&x=#", vars, r.messages(), kRanqorTemplateRules), DefinitionError);
}

TEST(ReadEngineDefinition, ReadsFlagAndExpandsTheSecondLine) {
    TempDir dir;
    TemplateVariables vars;
    vars['C'] = "two words";
    struct Case {
        std::string file;
        std::string address;
        bool flag;
    };
    const Case cases[] = {
        {"1\r\nhttp://e.com/?q=#C\r\nignored\r\n", "http://e.com/?q=two words", true},
        {"0\nhttp://e.com/?q=#C", "http://e.com/?q=two words", false},
        {"yes\rhttp://e.com/?q=#C\r", "http://e.com/?q=two words", false},
        {"\r\nhttp://e.com/?q=#C\r\n", "", false},  // an empty flag line gives no address
        {"1\r\n\r\n", "", true},
        {"1\r\n", "", true},  // one line only
        {"", "", false},
    };
    for (const Case& c : cases) {
        writeFileAtomically(dir / "Engine.hdf", c.file);
        Recorded r;
        EngineDefinition d = ReadEngineDefinition(dir / "Engine.hdf", vars, r.messages());
        EXPECT_EQ(d.address, c.address) << c.file;
        EXPECT_EQ(d.flag, c.flag) << c.file;
        EXPECT_TRUE(d.read) << c.file;
        EXPECT_TRUE(r.errors.empty() && r.warnings.empty());
    }
}

TEST(ReadEngineDefinition, AMissingFileShowsItsPathAndGivesNoAddress) {
    TempDir dir;
    Recorded r;
    EngineDefinition d = ReadEngineDefinition(dir / "Google.hdf", TemplateVariables(), r.messages());
    EXPECT_EQ(d.address, "");
    EXPECT_FALSE(d.read);
    EXPECT_EQ(r.errors, std::vector<std::string>{"Error writing to " + (dir / "Google.hdf").string()});
    EXPECT_EQ(d.readError, (dir / "Google.hdf").string() + ": No such file or directory");

    writeFileAtomically(dir / "Google.hdf", "1\r\nhttp://e.com/\r\n");
    EXPECT_EQ(ReadEngineDefinition(dir / "Google.hdf", TemplateVariables(), r.messages()).readError, "");
}

TEST(DefinitionHeaders, HeaderLinesAfterTheTemplateGiveRequestFields) {
    using Lines = std::vector<std::string>;
    struct Case {
        const char* text;
        Lines fields;
        Lines problems;
    };
    const Case cases[] = {
        {"1\r\nhttps://api.example.com/?q=#C\r\nHeader: X-Subscription-Token: abc123\r\n",
         {"X-Subscription-Token: abc123"},
         {}},
        {"1\nhttp://e.com/\nheader:Accept:application/json\n  HEADER:  X-Key :  a b  \nnote\n",
         {"Accept: application/json", "X-Key: a b"},
         {}},
        // Lines 1 and 2 are the flag and the template, whatever they hold.
        {"Header: A: 1\r\nHeader: B: 2\r\n", {}, {}},
        {"1\r\nhttp://e.com/\r\nHeader: NoColon\r\nHeader: : v\r\nHeader: Bad Name: v\r\n"
         "Header: X-Empty:   \r\nHeader: X-Ctl: a\x01"
         "b\r\nHeader: Ok: yes\r\n",
         {"Ok: yes"},
         {"line 3: no header field \"Name: value\" after \"Header:\"",
          "line 4: no header field \"Name: value\" after \"Header:\"",
          "line 5: no header field \"Name: value\" after \"Header:\"",
          "line 6: the header X-Empty has no value",
          "line 7: the value of the header X-Ctl holds a control character"}},
        {"1\r\nhttp://e.com/\r\nHeaders: X: 1\r\nX-Header: Y: 2\r\n", {}, {}},
    };
    for (const Case& c : cases) {
        DefinitionHeaders headers = readDefinitionHeaders(c.text);
        EXPECT_EQ(headers.fields, c.fields) << c.text;
        EXPECT_EQ(headers.problems, c.problems) << c.text;
        EXPECT_EQ(hasHeaderLines(c.text), !c.fields.empty() || !c.problems.empty()) << c.text;
    }
}

TEST(DefinitionHeaders, TheReaderKeepsTheFieldsAndTheAddressStaysAsItWas) {
    TempDir dir;
    TemplateVariables vars;
    vars['C'] = "seo";
    writeFileAtomically(dir / "Api.hdf",
                        "1\r\nhttps://api.example.com/s?q=#C\r\nHeader: X-Key: k\r\nHeader: Y\r\n");
    Recorded r;
    EngineDefinition d = ReadEngineDefinition(dir / "Api.hdf", vars, r.messages(), kRanqorTemplateRules);
    EXPECT_EQ(d.address, "https://api.example.com/s?q=seo");
    EXPECT_EQ(d.headers, std::vector<std::string>{"X-Key: k"});
    EXPECT_EQ(d.headerProblems,
              std::vector<std::string>{"line 4: no header field \"Name: value\" after \"Header:\""});
    EXPECT_TRUE(r.errors.empty() && r.warnings.empty());
    // The form check the updates make is the same with header lines as without.
    EXPECT_EQ(definitionFormError("1\r\nhttp://e.com/\r\nHeader: broken\r\n", kRanqorTemplateRules), "");
}

TEST(DefinitionForm, AFlagAndAWebAddressThatExpandsMakeADefinition) {
    struct Case {
        const char* text;
        bool ranqor;   // a definition for the position checker
        bool vistral;  // and for the submission tool
    };
    const Case cases[] = {
        {"1\r\nhttp://www.google.com/search?q=#C\r\n", true, true},
        {"0\nHTTPS://example.com/add?url=#H&t=##1\nignored\n", true, true},
        {"1\r\nhttp://example.com/?q=#C#\r\n", false, true},  // a trailing "#"
        {"", false, false},
        {"\r\nhttp://example.com/\r\n", false, false},
        {"1\r\n", false, false},
        {"1\r\n\r\nhttp://example.com/\r\n", false, false},
        {"<html>\r\n<body>Service unavailable</body>\r\n</html>\r\n", false, false},
        {"1\r\njavascript:alert(1)\r\n", false, false},
        {"1\r\n/relative?q=#C\r\n", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(definitionFormError(c.text, kRanqorTemplateRules).empty(), c.ranqor) << c.text;
        EXPECT_EQ(definitionFormError(c.text, kVistralTemplateRules).empty(), c.vistral) << c.text;
    }
}
