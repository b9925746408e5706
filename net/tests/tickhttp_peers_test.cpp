#include "net/tickhttp.h"

#include <gtest/gtest.h>

#include "net/tests/httptestkit.h"
#include "net/tests/support/loopbackpeers.h"
#include "net/tests/support/scriptedserver.h"
#include "platform/core/safefile.h"
#include "platform/tests/tempdir.h"

namespace {

void clearProxyEnvironment() {
    for (const char* name :
         {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY", "no_proxy", "NO_PROXY"}) {
        unsetenv(name);
    }
}

// One nginx for the whole suite: starting it makes certificates and a process.
class NginxPeer : public testing::Test {
protected:
    static void SetUpTestSuite() {
        site = new TempDir;
        writeFileAtomically(*site / "index.html", "<html>nginx page</html>");
        std::string large;
        for (int i = 0; i < 300000; ++i)
            large += static_cast<char>('a' + i % 26);
        writeFileAtomically(*site / "large.txt", large);
        nginx = new NginxServer(site->path());
    }
    static void TearDownTestSuite() {
        delete nginx;
        delete site;
    }
    void SetUp() override {
        ensureApplication();
        clearProxyEnvironment();
    }

    static TempDir* site;
    static NginxServer* nginx;
    TempDir dir;
};

TempDir* NginxPeer::site = nullptr;
NginxServer* NginxPeer::nginx = nullptr;

TEST_F(NginxPeer, ServesAFileOverHttp) {
    TickHTTP http;
    EventLog log(http, false);
    http.setURL(nginx->httpUrl("/large.txt"));
    http.setLocalFile((dir / "large.txt").string());
    http.setAction(ickhttpGet);
    EXPECT_EQ(http.StatusLine(), "HTTP/1.1 200 OK");
    EXPECT_EQ(readFileBytes(dir / "large.txt"), readFileBytes(*site / "large.txt"));
    EXPECT_EQ(log.body.size(), 300000u);
    EXPECT_TRUE(log.allOnOwnerThread);
    EXPECT_EQ(failureOf(http, ickhttpGet), "");
    http.setURL(nginx->httpUrl("/missing.html"));
    EXPECT_EQ(failureOf(http, ickhttpGet), "151: 404 Not Found");
}

TEST_F(NginxPeer, ServesOverHttpsWhenTheCertificateAuthorityIsTrusted) {
    TickHTTPS https;
    EventLog log(https, false);
    https.setCABundle(nginx->caBundle());
    https.setURL(nginx->httpsUrl("/index.html"));
    https.setLocalFile((dir / "index.html").string());
    https.setAction(ickhttpGet);
    EXPECT_EQ(https.StatusLine(), "HTTP/1.1 200 OK");
    EXPECT_EQ(readFileBytes(dir / "index.html"), "<html>nginx page</html>");
    // The same component still speaks plain http.
    https.setURL(nginx->httpUrl("/index.html"));
    EXPECT_EQ(failureOf(https, ickhttpGet), "");
}

struct CertificateCase {
    const char* name;
    bool trustTheTestAuthority;
    bool byName;  // "localhost", which the certificate does not name
    bool expired;
    const char* failure;
};

void PrintTo(const CertificateCase& c, std::ostream* out) {
    *out << c.name;
}

class CertificateRefusals : public NginxPeer, public testing::WithParamInterface<CertificateCase> {};

TEST_P(CertificateRefusals, GiveTheCertificateCodes) {
    const CertificateCase& c = GetParam();
    TickHTTPS https;
    if (c.trustTheTestAuthority)
        https.setCABundle(nginx->caBundle());
    std::string url = c.expired ? nginx->expiredHttpsUrl("/index.html") : nginx->httpsUrl("/index.html");
    if (c.byName)
        url.replace(url.find("127.0.0.1"), 9, "localhost");
    https.setURL(url);
    EXPECT_EQ(failureOf(https, ickhttpGet), c.failure);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CertificateRefusals,
    testing::Values(
        CertificateCase{"unknown authority", false, false, false,
                        "12045: [12045] Invalid Certification Authority."},
        CertificateCase{"other name", true, true, false,
                        "12038: [12038] The security Certificate has an invalid name - i.e. it's not "
                        "the same name as the web site's one. Check also the SecurityFlags property."},
        CertificateCase{"expired", true, false, true,
                        "12037: [12037] The security Certificate has an invalid date (has expired). "
                        "Check also the SecurityFlags property."}));

class ProxyPeer : public testing::Test {
protected:
    void SetUp() override {
        ensureApplication();
        clearProxyEnvironment();
        server.script("/page", ScriptedResponse::ok("through"));
    }
    void TearDown() override { clearProxyEnvironment(); }

    ScriptedServer server;
};

TEST_F(ProxyPeer, RequestsGoThroughTheNamedProxyUnlessBypassed) {
    ForwardProxy proxy;
    TickHTTP http;
    EventLog log(http);
    http.setProxyServer(proxy.address());
    http.setURL(server.url("/page"));
    http.setAction(ickhttpGet);
    EXPECT_EQ(log.body, "through");
    EXPECT_EQ(log.events[0], "status 10 Looking up the IP address 127.0.0.1");
    http.setProxyBypass("*");
    http.setAction(ickhttpGet);
    http.setProxyBypass("127.0.0.*");
    http.setAction(ickhttpGet);

    auto requests = server.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_NE(requests[0].header("Via").find("tinyproxy"), std::string::npos);
    EXPECT_FALSE(requests[1].hasHeader("Via"));
    EXPECT_FALSE(requests[2].hasHeader("Via"));
}

TEST_F(ProxyPeer, TheEnvironmentsProxyAppliesWhenNoneIsSet) {
    ForwardProxy proxy;
    setenv("http_proxy", ("http://" + proxy.address()).c_str(), 1);
    TickHTTP http;
    http.setURL(server.url("/page"));
    http.setAction(ickhttpGet);
    setenv("no_proxy", "127.0.0.1", 1);
    http.setAction(ickhttpGet);
    auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_TRUE(requests[0].hasHeader("Via"));
    EXPECT_FALSE(requests[1].hasHeader("Via"));
}

TEST_F(ProxyPeer, UserAndPasswordAreOfferedToTheProxy) {
    ForwardProxy proxy("ann", "secret");
    TickHTTP http;
    http.setProxyServer(proxy.address());
    http.setURL(server.url("/page"));
    EXPECT_EQ(failureOf(http, ickhttpGet), "151: 407 Proxy Authentication Required");
    EXPECT_TRUE(server.requests().empty());
    http.setUser("ann");
    http.setPassword("secret");
    EXPECT_EQ(failureOf(http, ickhttpGet), "");
    auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].hasHeader("Via"));
}

TEST_F(ProxyPeer, HttpsGoesThroughTheProxysTunnel) {
    TempDir site;
    writeFileAtomically(site / "secure.html", "secure page");
    NginxServer nginx(site.path());
    ForwardProxy proxy("ann", "secret");
    TickHTTPS https;
    EventLog log(https, false);
    https.setCABundle(nginx.caBundle());
    https.setProxyServer(proxy.address());
    https.setURL(nginx.httpsUrl("/secure.html"));
    EXPECT_EQ(failureOf(https, ickhttpGet), "151: 407 Proxy Authentication Required");
    https.setUser("ann");
    https.setPassword("secret");
    log.body.clear();
    https.setAction(ickhttpGet);
    EXPECT_EQ(log.body, "secure page");
    EXPECT_EQ(https.StatusLine(), "HTTP/1.1 200 OK");
}

}  // namespace
