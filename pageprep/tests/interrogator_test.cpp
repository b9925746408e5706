#include "pageprep/core/interrogator.h"

#include <gtest/gtest.h>

TEST(Interrogator, EachEngineAsksItsQueryPageWithTheUrlAsTyped) {
    const std::vector<InterrogatedEngine>& engines = interrogatedEngines();
    ASSERT_EQ(engines.size(), 8u);
    const char* names[] = {"Infoseek", "Lycos",     "AOL NetFind", "Excite",
                           "Yahoo",    "AltaVista", "Web Crawler", "HotBot"};
    for (size_t i = 0; i < engines.size(); ++i)
        EXPECT_EQ(engines[i].name, names[i]);

    EXPECT_EQ(interrogationAddress(0, "www.example.com/a b&c"),
              "http://www.infoseek.com/Titles?col=WW&qt=url%3Awww.example.com/a b&c&lk=ip-noframes");
    EXPECT_EQ(interrogationAddress(3, "example.com"),
              "http://search.excite.com/search.gw?search=example.com");
    EXPECT_EQ(interrogationAddress(6, ""), "http://www.webcrawler.com/cgi-bin/WebQuery?search=%27%27");
    EXPECT_EQ(
        interrogationAddress(7, "x"),
        "http://www.hotbot.com/?MT=x&SM=url&DV=0&LG=any&DC=10&DE=2&clickSrc=search&_v=2&OPs=MDRTP&ACF=1");
    EXPECT_EQ(interrogationAddress(8, "x"), "");
}
