#include <gtest/gtest.h>

#include "net/core/curlerrors.h"
#include "net/core/httpresponse.h"
#include "net/core/wininetcodes.h"

namespace {

TEST(ErrorDescriptions, ServiceCodesCarryTheirTextAndUnknownCodesSaySo) {
    EXPECT_EQ(serviceErrorDescription(12007), "[12007] Internet Name Not Resolved.");
    EXPECT_EQ(serviceErrorDescription(12157), "[12157] Internet Security Channel Error.");
    EXPECT_EQ(serviceErrorDescription(12045), "[12045] Invalid Certification Authority.");
    EXPECT_EQ(serviceErrorDescription(12035), "[12035] (no description available)");
    EXPECT_EQ(serviceErrorDescription(42), "[42] (no description available)");
    EXPECT_EQ(componentErrorDescription(152), "No server specified in URL.");
    EXPECT_EQ(componentErrorDescription(153), "Specified URLScheme is invalid.");
    EXPECT_EQ(componentErrorDescription(143), "Busy performing current action");
    EXPECT_EQ(componentErrorDescription(302), "Can't open local file for writing.");
}

TEST(StatusDescriptions, TextsWithTheirInformation) {
    EXPECT_EQ(statusDescription(10, "example.com"), "Looking up the IP address example.com");
    EXPECT_EQ(statusDescription(21, ""), "Successfully connected to");
    EXPECT_EQ(statusDescription(31, "ignored"), "Successfully sent the information request to the server.");
    EXPECT_EQ(statusDescription(110, "http://b/"),
              "An HTTP request is about to automatically redirect the request to http://b/");
    EXPECT_EQ(statusDescription(43, ""), "");
    EXPECT_FALSE(statusDescription(60, "").has_value());
    EXPECT_FALSE(statusDescription(70, "").has_value());
    EXPECT_EQ(statusDescription(999, ""), "Unknown state ?!");
}

TEST(StatusDescriptions, StateChangesByTheReportedState) {
    EXPECT_EQ(statusDescription(200, "", 1), "Online state.");
    EXPECT_EQ(statusDescription(200, "", 2), "Offline because no network connection could be established.");
    EXPECT_EQ(statusDescription(200, "", 16), "Offline by user request.");
    EXPECT_EQ(statusDescription(200, "", 256), "No network requests are being made by Wininet.");
    EXPECT_EQ(statusDescription(200, "", 512), "Network requests are being made by Wininet.");
    EXPECT_EQ(statusDescription(200, "", 4), "Moved between a secure (HTTPS) and a nonsecure (HTTP) site.");
}

TEST(CurlFailures, MapOntoTheCodesUsersKnow) {
    auto code = [](CURLcode c, long verify = 0, bool proxy = false, const char* text = "") {
        return serviceCodeForCurl(CurlFailure{c, verify, proxy, text});
    };
    EXPECT_EQ(code(CURLE_COULDNT_RESOLVE_HOST), 12007);
    EXPECT_EQ(code(CURLE_COULDNT_CONNECT), 12029);
    EXPECT_EQ(code(CURLE_COULDNT_CONNECT, 0, true), 12165);
    EXPECT_EQ(code(CURLE_COULDNT_RESOLVE_PROXY), 12165);
    EXPECT_EQ(code(CURLE_OPERATION_TIMEDOUT), 12002);
    EXPECT_EQ(code(CURLE_RECV_ERROR, 0, false, "Recv failure: Connection reset by peer"), 12031);
    EXPECT_EQ(code(CURLE_PARTIAL_FILE), 12030);
    EXPECT_EQ(code(CURLE_URL_MALFORMAT), 12005);
    EXPECT_EQ(code(CURLE_UNSUPPORTED_PROTOCOL), 12006);
    EXPECT_EQ(code(CURLE_UNSUPPORTED_PROTOCOL, 0, false, "Received HTTP/0.9 when not allowed"), 12152);
    EXPECT_EQ(code(CURLE_GOT_NOTHING), 12152);
    EXPECT_EQ(code(CURLE_TOO_MANY_REDIRECTS), 12156);
    EXPECT_EQ(code(CURLE_PEER_FAILED_VERIFICATION, 10), 12037);
    EXPECT_EQ(code(CURLE_PEER_FAILED_VERIFICATION, 0), 12038);
    EXPECT_EQ(code(CURLE_PEER_FAILED_VERIFICATION, 1, false,
                   "SSL: no alternative certificate subject name matches target host name 'localhost'"),
              12038);
    EXPECT_EQ(code(CURLE_PEER_FAILED_VERIFICATION, 20), 12045);
    EXPECT_EQ(code(CURLE_PEER_FAILED_VERIFICATION, 23), 12170);
    EXPECT_EQ(code(CURLE_PEER_FAILED_VERIFICATION, 7), 12169);
    EXPECT_EQ(code(CURLE_SSL_CONNECT_ERROR), 12157);
}

TEST(ResponseHeads, SplitIntoStatusLineAndFieldsInOrder) {
    ResponseHeadReader reader;
    EXPECT_FALSE(reader.addLine("HTTP/1.0 302 Found\r\n"));
    EXPECT_FALSE(reader.addLine("Location:  http://b/\r\n"));
    EXPECT_FALSE(reader.addLine("X-Odd:\r\n"));
    EXPECT_FALSE(reader.addLine("NoColon here\r\n"));
    EXPECT_FALSE(reader.addLine("Set-Cookie: a=b: c\r\n"));
    EXPECT_TRUE(reader.addLine("\r\n"));
    ResponseHead head = reader.take();
    EXPECT_EQ(head.statusLine, "HTTP/1.0 302 Found");
    EXPECT_EQ(head.statusCode, 302);
    EXPECT_TRUE(head.isRedirect());
    EXPECT_EQ(head.fields,
              (HeaderFields{
                  {"Location", "http://b/"}, {"X-Odd", ""}, {"NoColon here", ""}, {"Set-Cookie", "a=b: c"}}));
    EXPECT_FALSE(reader.started());
}

TEST(StatusCheck, FailsWhenTheCodeDoesNotStartWithTwo) {
    std::string description;
    EXPECT_TRUE(statusLineFails("HTTP/1.0 404 Not Found", &description));
    EXPECT_EQ(description, "404 Not Found");
    EXPECT_FALSE(statusLineFails("HTTP/1.1 200 OK", &description));
    EXPECT_FALSE(statusLineFails("Status:HTTP/1.1", &description));
    EXPECT_TRUE(statusLineFails("Status: HTTP/1.1 200 Document Follows", &description));
    EXPECT_EQ(description, "HTTP/1.1 200 Document Follows");
    EXPECT_FALSE(statusLineFails("", &description));
}

TEST(BlockBuffer, FullBlocksThenTheRestWhenFlushed) {
    BlockBuffer buffer(32000);
    std::vector<size_t> blocks;
    auto collect = [&](const char*, size_t size) {
        blocks.push_back(size);
        return true;
    };
    std::string data(70000, 'x');
    EXPECT_TRUE(buffer.append(data.data(), 31800, collect));
    EXPECT_TRUE(buffer.append(data.data(), 38200, collect));
    EXPECT_TRUE(buffer.flush(collect));
    EXPECT_EQ(blocks, (std::vector<size_t>{32000, 32000, 6000}));
    EXPECT_FALSE(buffer.append(data.data(), 40000, [](const char*, size_t) { return false; }));
}

}  // namespace
