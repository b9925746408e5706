#include "pageprep/core/projectcontext.h"

#include <gtest/gtest.h>

TEST(PageEntry, FileNamePartAndAddress) {
    struct Case {
        const char* webPath;
        const char* entry;
        const char* fileName;
        const char* address;
    };
    const Case cases[] = {
        {"http://www.example.com", "index.htm", "index.htm", "http://www.example.com/index.htm"},
        {"http://www.example.com", "C:\\web\\index.htm", "index.htm", "http://www.example.com/index.htm"},
        {"http://www.example.com/shop", "sub/page.htm", "sub/page.htm",
         "http://www.example.com/shop/sub/page.htm"},
        {"http://www.example.com/", "a.htm", "a.htm", "http://www.example.com//a.htm"},
        {"http://www.example.com", "D:page.htm", "page.htm", "http://www.example.com/page.htm"},
        {"", "", "", "/"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pageFileName(c.entry), c.fileName) << c.entry;
        EXPECT_EQ(pageAddress(c.webPath, c.entry), c.address) << c.entry;
    }
}
