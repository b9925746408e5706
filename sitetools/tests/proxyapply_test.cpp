#include "sitetools/proxyapply.h"

#include <gtest/gtest.h>

#include "net/tickhttp.h"
#include "platform/core/settingsstore.h"
#include "platform/tests/tempdir.h"

namespace {
const char* kRanqor = "\\Software\\Orlek\\Ranqor";
const char* kVistral = "\\Software\\Orlek\\Vistral";
}  // namespace

TEST(ProxyApply, ThePositionCheckerSetsTheStoredProxyWhenItExists) {
    TempDir dir;
    SettingsStore store(dir / "s.ini");
    TickHTTP search;
    search.setProxyServer("unchanged");
    applyRanqorProxy(store, search);
    EXPECT_EQ(search.ProxyServer(), "unchanged");
    store.writeValue(kRanqor, "proxy", "10.0.0.1:8080");
    applyRanqorProxy(store, search);
    EXPECT_EQ(search.ProxyServer(), "10.0.0.1:8080");
    store.writeValue(kRanqor, "proxy", "");
    applyRanqorProxy(store, search);
    EXPECT_EQ(search.ProxyServer(), "");
}

TEST(ProxyApply, TheSubmissionToolSetsAllThreeComponentsAndTheWatchdog) {
    TempDir dir;
    SettingsStore store(dir / "s.ini");
    store.writeValue(kVistral, "proxy", "172.16.0.99");
    store.writeValue(kVistral, "puser", "ann");
    store.writeValue(kVistral, "puserp", "s3cret");
    store.writeValue(kVistral, "timeout", "45");
    TickHTTP submit, page;
    TickHTTPS secure;
    int watchdog = 0;
    applyVistralSettings(store, {&submit, &page, &secure}, watchdog);
    EXPECT_EQ(watchdog, 45000);
    for (TickHTTP* http : std::vector<TickHTTP*>{&submit, &page, &secure}) {
        EXPECT_EQ(http->ProxyServer(), "172.16.0.99");
        EXPECT_EQ(http->User(), "ann");
        EXPECT_EQ(http->Password(), "s3cret");
    }
}

TEST(ProxyApply, MissingValuesLeaveTheirTargetsAndABadTimeoutIsAConversionError) {
    TempDir dir;
    SettingsStore store(dir / "s.ini");
    TickHTTP http;
    http.setUser("kept");
    int watchdog = 30000;
    applyVistralSettings(store, {&http}, watchdog);
    EXPECT_EQ(watchdog, 30000);
    EXPECT_EQ(http.User(), "kept");

    for (const char* bad : {"abc", "", "4 5", "99999999999"}) {
        store.writeValue(kVistral, "timeout", bad);
        store.writeValue(kVistral, "proxy", "p");
        try {
            applyVistralSettings(store, {&http}, watchdog);
            ADD_FAILURE() << "no error for " << bad;
        } catch (const ConversionError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid integer value");
        }
        EXPECT_EQ(http.ProxyServer(), "p");  // applied before the timeout failed
        EXPECT_EQ(watchdog, 30000);
    }
}
