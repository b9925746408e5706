#include "net/core/urlsplit.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const char* url;
    bool valid;
    const char* scheme;
    const char* host;
    int port;
    const char* path;
    const char* requestUrl;
};

void PrintTo(const SplitCase& c, std::ostream* out) {
    *out << '"' << c.url << '"';
}

class UrlSplitting : public testing::TestWithParam<SplitCase> {};

TEST_P(UrlSplitting, GivesTheShownPartsAndTheWireAddress) {
    const SplitCase& c = GetParam();
    UrlParts parts = splitUrl(c.url);
    EXPECT_EQ(parts.valid, c.valid);
    EXPECT_EQ(parts.scheme, c.scheme);
    EXPECT_EQ(parts.host, c.host);
    EXPECT_EQ(parts.port, c.port);
    EXPECT_EQ(parts.path, c.path);
    EXPECT_EQ(parts.requestUrl, c.requestUrl);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UrlSplitting,
    testing::Values(
        SplitCase{"http://www.example.com/a/b.html?q=1", true, "http", "www.example.com", 80, "/a/b.html?q=1",
                  "http://www.example.com/a/b.html?q=1"},
        SplitCase{"https://example.com", true, "https", "example.com", 443, "", "https://example.com/"},
        SplitCase{"HTTP://Example.com:8080/x#top", true, "HTTP", "Example.com", 8080, "/x#top",
                  "http://Example.com:8080/x"},
        // Escapes are decoded for showing and kept as they are on the wire.
        SplitCase{"http://h/a%20b?q=x%26y", true, "http", "h", 80, "/a b?q=x&y", "http://h/a%20b?q=x%26y"},
        // Blanks typed into a search term reach the server as the two words.
        SplitCase{"http://h/search?q=two words&x=\"<>\"", true, "http", "h", 80,
                  "/search?q=two words&x=\"<>\"", "http://h/search?q=two%20words&x=%22%3C%3E%22"},
        SplitCase{"http://h/100%?a=\xE4", true, "http", "h", 80, "/100%?a=\xE4", "http://h/100%25?a=%E4"},
        SplitCase{"http://h?q=1", true, "http", "h", 80, "?q=1", "http://h/?q=1"},
        SplitCase{"http://user:pw@h:81/", true, "http", "h", 81, "/", "http://user:pw@h:81/"},
        SplitCase{"http://[::1]:8080/p", true, "http", "::1", 8080, "/p", "http://[::1]:8080/p"},
        SplitCase{"  http://h/p \r\n", true, "http", "h", 80, "/p", "http://h/p"},
        SplitCase{"mailto:someone@example.com", true, "mailto", "", 0, "someone@example.com", ""},
        SplitCase{"ftp://files.example.com/pub", true, "ftp", "files.example.com", 21, "/pub",
                  "ftp://files.example.com/pub"},
        SplitCase{"http:///nohost", true, "http", "", 80, "/nohost", "http:///nohost"},
        SplitCase{"index.html", false, "", "", 0, "", ""},
        SplitCase{"www.example.com/page", false, "", "", 0, "", ""},
        SplitCase{"unknown://h/", false, "", "", 0, "", ""},
        SplitCase{"http://h:99999/", false, "", "", 0, "", ""},
        SplitCase{"http://h:8x/", false, "", "", 0, "", ""}, SplitCase{"", false, "", "", 0, "", ""}));

TEST(RequestTarget, EncodesWhatARequestLineCannotCarryAndKeepsEscapes) {
    EXPECT_EQ(encodeRequestTarget("/a b/%41%zz{}|\\^`"), "/a%20b/%41%25zz%7B%7D%7C%5C%5E%60");
    EXPECT_EQ(encodeRequestTarget("/p?a=1&b=x+y;c=:@!$'()*,~"), "/p?a=1&b=x+y;c=:@!$'()*,~");
    EXPECT_EQ(encodeRequestTarget(std::string("/\x01\x7f", 3)), "/%01%7F");
    EXPECT_EQ(decodeEscapes("%41%4a%2"), "AJ%2");
}

}  // namespace
