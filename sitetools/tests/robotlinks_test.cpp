#include "sitetools/core/robotlinks.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

TEST(StripLinkPrefix, TakesOneSlashThenOneParentStep) {
    const std::pair<std::string, std::string> cases[] = {
        {"/about.html", "about.html"},
        {"//other.host/x.html", "/other.host/x.html"},
        {"../up.html", "up.html"},
        {"../../two.html", "../two.html"},
        {"/../x.html", "x.html"},
        {"docs/page.htm", "docs/page.htm"},
        {"./here.html", "./here.html"},
        {"...", "..."},
        {"/", ""},
        {"", ""},
    };
    for (const auto& [href, link] : cases)
        EXPECT_EQ(stripLinkPrefix(href), link) << href;
}

TEST(RefusedSchemes, BrowseVerificationRefusesSevenSchemesInAnyCase) {
    const RobotLinkRules& rules = RobotLinkRules::browseVerification();
    for (const char* link : {"ftp://files.example/a.zip", "MailTo:someone@example.com", "z3950s://x",
                             "Z3950R://x", "gopher://g", "wais://w", "news:comp.lang"}) {
        EXPECT_TRUE(hasRefusedScheme(link, rules)) << link;
    }
    for (const char* link :
         {"http://x/", "https://x/", "javascript:void(0)", "telnet://h", "ftp.html", "newsletter.html"})
        EXPECT_FALSE(hasRefusedScheme(link, rules)) << link;
}

TEST(RefusedSchemes, RobotPathAnalysisRefusesFtpAndMailOnly) {
    const RobotLinkRules& rules = RobotLinkRules::robotPathAnalysis();
    EXPECT_EQ(rules.refusedSchemes, (Strings{"ftp:", "mailto:"}));
    EXPECT_FALSE(rules.filtersAndCollects);
    EXPECT_TRUE(RobotLinkRules::browseVerification().filtersAndCollects);
    EXPECT_TRUE(hasRefusedScheme("FTP://x", rules));
    EXPECT_TRUE(hasRefusedScheme("mailto:a@b", rules));
    EXPECT_FALSE(hasRefusedScheme("news:x", rules));
    EXPECT_FALSE(hasRefusedScheme("gopher://x", rules));
}

TEST(ExcludeList, LooksAtTheLastFourCharacters) {
    struct Case {
        std::string link;
        Strings list;
        bool excluded;
    };
    const Case cases[] = {
        {"logo.gif", {".gif"}, true},
        {"images/LOGO.GIF", {".gif"}, true},
        {"photo.jpeg", {".jpg", ".gif"}, false},
        {"pack.zip", {".gif", ".zip"}, true},
        // Longer entries never match: the part compared is at most four characters long.
        {"page.jpeg", {".jpeg"}, false},
        {"page.jpeg", {"jpeg"}, true},
        // Shorter entries match at the start of the last four characters only.
        {"file.gif", {".g"}, true},
        {"file.gif", {"if"}, false},
        {"archive.tar.gz", {".gz"}, false},
        {"archive.tgz", {".tg"}, true},
        {"x.tgz", {"x.tg", ".tgz"}, true},
        // A link of fewer than four characters is compared from its start.
        {"gif", {"gif"}, true},
        {"gif", {".gif"}, false},
        {"", {".gif"}, false},
        {"logo.gif", {}, false},
        // A blank line in the list excludes nothing.
        {"page.html", {""}, false},
        {"logo.gif", {"", ".gif"}, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(matchesExcludeList(c.link, c.list), c.excluded) << c.link;
}

TEST(FragmentOrQuery, AnyHashOrQuestionMark) {
    for (const char* link : {"#top", "page.html#top", "search.cgi?q=x", "http://h/?", "a#"})
        EXPECT_TRUE(hasFragmentOrQuery(link)) << link;
    for (const char* link : {"page.html", "http://h/a/b.htm", ""})
        EXPECT_FALSE(hasFragmentOrQuery(link)) << link;
}

TEST(AbsoluteLink, HttpAndHttpsInAnyCase) {
    for (const char* link : {"http://h/", "HTTP://H/", "https://h/x", "Https:x", "http:"})
        EXPECT_TRUE(isAbsoluteLink(link)) << link;
    for (const char* link : {"httpx://h", "page.html", "/http://h", "ftp://h", "htt", "httpdocs/a.html"})
        EXPECT_FALSE(isAbsoluteLink(link)) << link;
}

TEST(SiteAddress, KeepsAPortThatIsNotTheSchemesOwn) {
    EXPECT_EQ(siteAddress("http", "www.example.com", 80), "http://www.example.com");
    EXPECT_EQ(siteAddress("https", "www.example.com", 443), "https://www.example.com");
    EXPECT_EQ(siteAddress("http", "127.0.0.1", 8080), "http://127.0.0.1:8080");
    EXPECT_EQ(siteAddress("https", "127.0.0.1", 80), "https://127.0.0.1:80");
    EXPECT_EQ(siteAddress("HTTP", "Example.COM", 80), "HTTP://Example.COM");
    EXPECT_EQ(siteAddress("http", "::1", 8080), "http://[::1]:8080");
    EXPECT_EQ(siteAddress("", "", 0), "://");
}

TEST(NodeAddress, ResolvesAgainstThePagesFolder) {
    struct Case {
        std::string parent;
        std::string link;
        std::string address;
    };
    const std::string site = "http://site.test:81";
    const Case cases[] = {
        // The start page is the site's root followed by index.html.
        {"http://site.test:81/index.html", "about.html", "http://site.test:81/about.html"},
        {"http://site.test:81/docs/page.htm", "next.htm", "http://site.test:81/docs/next.htm"},
        {"http://site.test:81/docs/PAGE.HTML", "next.htm", "http://site.test:81/docs/next.htm"},
        {"http://site.test:81/docs/", "next.htm", "http://site.test:81/docs/next.htm"},
        // An address not ending in a page name counts as a folder.
        {"http://site.test:81/docs", "next.htm", "http://site.test:81/docs/next.htm"},
        {"http://site.test:81/cgi/page.php", "x.html", "http://site.test:81/cgi/page.php/x.html"},
        {"http://site.test:81/a.htmlx", "x.html", "http://site.test:81/a.htmlx/x.html"},
        {"http://site.test:81/a.html/b/c.htm", "x.html", "http://site.test:81/a.html/b/x.html"},
        // A fragment link is appended to the folder without a slash of its own.
        {"http://site.test:81/docs/page.html", "#top", "http://site.test:81/docs/#top"},
        {"http://site.test:81/docs", "#top", "http://site.test:81/docs#top"},
        // A link that began with "//" (one slash is left) goes on the site's root.
        {"http://site.test:81/docs/page.htm", "/other.host/x.html", "http://site.test:81/other.host/x.html"},
        // Absolute links carry themselves.
        {"http://site.test:81/docs/page.htm", "http://else.test/a.html", "http://else.test/a.html"},
        {"http://site.test:81/docs/page.htm", "HTTPS://else.test/", "HTTPS://else.test/"},
        // No page being read: the link goes on a lone slash.
        {"", "x.html", "/x.html"},
        {"page.html", "x.html", "/x.html"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(nodeAddress(c.parent, site, c.link), c.address) << c.parent << " + " << c.link;
}

TEST(CollectLink, RelativeLinksGoOnTheSiteRoot) {
    const std::string site = "http://site.test:81";
    Collection c = collectLink("next.htm", site, "site.test", true, {}, "");
    EXPECT_TRUE(c.add);
    EXPECT_TRUE(c.showInText);
    EXPECT_EQ(c.address, "http://site.test:81/next.htm");

    Strings collected = {"http://site.test:81/next.htm"};
    c = collectLink("next.htm", site, "site.test", true, collected, "http://site.test:81/next.htm\n");
    EXPECT_FALSE(c.add);
    EXPECT_FALSE(c.showInText);

    // Not yet collected, but the link's text already shows in the text area.
    c = collectLink("a.html", site, "site.test", true, {"http://site.test:81/docs/a.html"},
                    "http://site.test:81/docs/a.html\n");
    EXPECT_TRUE(c.add);
    EXPECT_FALSE(c.showInText);
    EXPECT_EQ(c.address, "http://site.test:81/a.html");

    // Host Only does not apply to relative links.
    c = collectLink("x.html", site, "other.test", true, {}, "");
    EXPECT_TRUE(c.add);
}

TEST(CollectLink, AbsoluteLinksHonourHostOnly) {
    struct Case {
        std::string link;
        bool hostOnly;
        Strings collected;
        bool add;
    };
    const Case cases[] = {
        {"http://site.test/a.html", true, {}, true},
        {"http://SITE.test/a.html", true, {}, true},
        {"https://site.test/a.html", true, {}, true},
        {"http://else.test/a.html", true, {}, false},
        {"http://else.test/a.html", false, {}, true},
        {"http://site.test/a.html", true, {"http://site.test/a.html"}, false},
        {"http://else.test/a.html", false, {"http://else.test/a.html"}, false},
        // The server only has to occur somewhere in the link.
        {"http://else.test/site.test/a.html", true, {}, true},
    };
    for (const Case& c : cases) {
        Collection result = collectLink(c.link, "http://site.test", "site.test", c.hostOnly, c.collected, "");
        EXPECT_EQ(result.add, c.add) << c.link;
        EXPECT_EQ(result.showInText, c.add) << c.link;
        EXPECT_EQ(result.address, c.link);
    }
}

}  // namespace
