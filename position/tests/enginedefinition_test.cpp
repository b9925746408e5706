#include "position/core/enginedefinition.h"

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
        EXPECT_TRUE(r.errors.empty() && r.warnings.empty());
    }
}

TEST(ReadEngineDefinition, AMissingFileShowsItsPathAndGivesNoAddress) {
    TempDir dir;
    Recorded r;
    EngineDefinition d = ReadEngineDefinition(dir / "Google.hdf", TemplateVariables(), r.messages());
    EXPECT_EQ(d.address, "");
    EXPECT_EQ(r.errors, std::vector<std::string>{"Error writing to " + (dir / "Google.hdf").string()});
}
