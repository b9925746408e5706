#include "submission/core/indexnow.h"

#include <gtest/gtest.h>

TEST(IndexNowKey, EightTo128LettersDigitsAndDashes) {
    struct Case {
        std::string key;
        std::string problem;
    };
    const std::string letters = "it holds ";
    const std::string rule = "; a key has only letters a-z and A-Z, digits and \"-\"";
    const Case cases[] = {
        {"5b2e8a47", ""},
        {"ABC-def-0123", ""},
        {std::string(128, 'a'), ""},
        {"", "it is empty"},
        {"5b2e8a4", "it has 7 characters; a key has 8 to 128"},
        {std::string(129, 'a'), "it has 129 characters; a key has 8 to 128"},
        {"5b2e8a47_c9f1", letters + "\"_\"" + rule},
        {"../../etc/passwd", letters + "\".\"" + rule},
        {"abc/defgh", letters + "\"/\"" + rule},
        {"abc\\defgh", letters + "\"\\\"" + rule},
        {"abcd efgh", letters + "a blank" + rule},
        {"abcd\tefgh", letters + "a byte 9" + rule},
        {"abcd\xc3\xa9"
         "fgh",
         letters + "a byte 195" + rule},
    };
    for (const Case& c : cases)
        EXPECT_EQ(indexNowKeyProblem(c.key), c.problem) << c.key;
}

TEST(IndexNowKey, TheFileIsNamedAfterTheKey) {
    EXPECT_EQ(indexNowKeyFileName("5b2e8a47c9f1"), "5b2e8a47c9f1.txt");
}
