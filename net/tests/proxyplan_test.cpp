#include "net/core/proxyplan.h"

#include <gtest/gtest.h>

#include <map>

namespace {

EnvironmentLookup environment(std::map<std::string, std::string> values) {
    return [values = std::move(values)](const char* name) -> const char* {
        auto found = values.find(name);
        return found == values.end() ? nullptr : found->second.c_str();
    };
}

const EnvironmentLookup kEmpty = environment({});

TEST(ProxyPlan, BypassStarGoesDirectEvenWithAProxy) {
    EXPECT_FALSE(planProxy("10.0.0.1:8080", "*", "http", "example.com", kEmpty).viaProxy);
    EXPECT_FALSE(planProxy("", "*", "http", "example.com", environment({{"http_proxy", "p:1"}})).viaProxy);
}

TEST(ProxyPlan, NamedProxyUnlessTheHostIsBypassed) {
    ProxyPlan plan = planProxy(" 10.0.0.1:8080 ", "", "http", "example.com", kEmpty);
    EXPECT_TRUE(plan.viaProxy);
    EXPECT_EQ(plan.proxy, "10.0.0.1:8080");
    EXPECT_EQ(plan.proxyHost, "10.0.0.1");
    EXPECT_FALSE(planProxy("p:3128", "*.example.com; intranet", "http", "www.Example.com", kEmpty).viaProxy);
    EXPECT_FALSE(planProxy("p:3128", "<local>", "http", "intranet", kEmpty).viaProxy);
    EXPECT_TRUE(planProxy("p:3128", "<local>", "http", "intranet.example", kEmpty).viaProxy);
    // A bypass list alone names no proxy to go through.
    EXPECT_FALSE(planProxy("", "80", "http", "example.com", kEmpty).viaProxy);
    // Named settings leave the environment alone.
    EXPECT_FALSE(planProxy("", "80", "http", "example.com", environment({{"http_proxy", "p:1"}})).viaProxy);
}

TEST(ProxyPlan, EnvironmentAppliesWhenNothingIsSet) {
    auto env = environment({{"http_proxy", "http://envproxy:3128"},
                            {"HTTPS_PROXY", "secure:3129"},
                            {"no_proxy", "localhost,.internal.example"}});
    ProxyPlan plan = planProxy("", "", "http", "example.com", env);
    EXPECT_TRUE(plan.viaProxy);
    EXPECT_EQ(plan.proxy, "http://envproxy:3128");
    EXPECT_EQ(plan.proxyHost, "envproxy");
    EXPECT_EQ(planProxy("", "", "https", "example.com", env).proxy, "secure:3129");
    EXPECT_FALSE(planProxy("", "", "http", "localhost", env).viaProxy);
    EXPECT_FALSE(planProxy("", "", "http", "a.internal.example", env).viaProxy);
    EXPECT_FALSE(planProxy("", "", "http", "example.com", kEmpty).viaProxy);
    // Only the lower-case http_proxy counts, as with libcurl.
    EXPECT_FALSE(planProxy("", "", "http", "example.com", environment({{"HTTP_PROXY", "p:1"}})).viaProxy);
}

TEST(ProxyPlan, HostOfAProxyText) {
    EXPECT_EQ(proxyHostOf("http://user:pw@proxy.example:8080/"), "proxy.example");
    EXPECT_EQ(proxyHostOf("[::1]:3128"), "::1");
    EXPECT_EQ(proxyHostOf("172.16.0.99"), "172.16.0.99");
}

TEST(ProxyPlan, BypassWildcards) {
    EXPECT_TRUE(matchesProxyBypass("10.*", "10.1.2.3"));
    EXPECT_FALSE(matchesProxyBypass("10.*", "110.1.2.3"));
    EXPECT_TRUE(matchesProxyBypass("http://host?", "host1"));
    EXPECT_FALSE(matchesProxyBypass("", "host"));
    EXPECT_TRUE(matchesNoProxy("*", "anything"));
    EXPECT_FALSE(matchesNoProxy("example.com", "badexample.com"));
}

}  // namespace
