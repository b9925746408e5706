#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "net/core/urlsplit.h"
#include "net/tickwininet.h"

enum TickHTTPActions { ickhttpIdle, ickhttpGet, ickhttpPost, ickhttpHead, ickhttpResetHeaders, ickhttpPut };

// One HTTP request at a time: set URL (and LocalFile), then setAction(ickhttpGet); the call
// returns when the transfer has ended and throws EickHTTP when it failed, also for a response
// whose status is not 2xx (after its body has been delivered). setAction(ickhttpIdle) from a
// handler or a Cancel button stops a running transfer without an exception.
class TickHTTP : public TickWinInet {
public:
    TickHTTP() : TickHTTP(80) {}

    const std::string& URL() const { return m_url; }
    // Splits the address into the URL... parts; never touches the network.
    void setURL(const std::string& value);
    TickHTTPActions Action() const { return m_currentAction; }
    void setAction(TickHTTPActions value);

    const std::string& Accept() const { return m_accept; }
    void setAccept(const std::string& value) { m_accept = value; }
    bool AllowCookies() const { return m_allowCookies; }
    void setAllowCookies(bool value) { m_allowCookies = value; }
    // Header fields sent with each request besides the component's own, as "Name: value" lines
    // (an API key, say); one named like a field the component writes takes its place. Cleared by
    // ickhttpResetHeaders.
    const std::vector<std::string>& RequestHeaders() const { return m_requestHeaders; }
    void setRequestHeaders(std::vector<std::string> value) { m_requestHeaders = std::move(value); }
    const std::string& LocalFile() const { return m_localFile; }
    void setLocalFile(const std::string& value) { m_localFile = value; }
    // The most bytes of a response body an action takes; past it the transfer stops and the
    // action fails with 303, with no more than the limit delivered to LocalFile and OnTransfer.
    // 0, the default, takes a body of any size.
    long long BodyLimit() const { return m_bodyLimit; }
    void setBodyLimit(long long value) { m_bodyLimit = value; }
    // Longest time in seconds an action may take; 0 means no limit.
    int Timeout() const { return m_timeout; }
    void setTimeout(int value) { m_timeout = value; }
    const std::string& UserAgent() const { return m_userAgent; }
    void setUserAgent(const std::string& value) { m_userAgent = value; }

    // The first line of the last response; empty from the start of a request until its head
    // has been read.
    std::string StatusLine() const { return statusLine(); }
    const std::string& URLScheme() const { return m_parts.scheme; }
    const std::string& URLServer() const { return m_parts.host; }
    int URLPort() const { return m_parts.port; }
    const std::string& URLPath() const { return m_parts.path; }

    std::function<void(TickHTTP* Sender, const std::string& Field, const std::string& Value)> OnHeader;
    // Bound by forms, never raised: every failure reaches the caller as EickHTTP.
    std::function<void(TickHTTP* Sender, int ErrorCode, const std::string& Description)> OnError;

protected:
    // defaultPort is URLPort before any URL is set and after the headers are reset.
    explicit TickHTTP(int defaultPort);
    virtual bool acceptsScheme(const std::string& scheme) const;
    virtual bool secureAllowed() const { return false; }

    void raiseHeaderEvents(const ResponseHead& head) override;
    bool hasHeaderHandler() const override { return static_cast<bool>(OnHeader); }

private:
    void perform(TickHTTPActions action, const char* method);
    void resetHeaders();

    int m_defaultPort;
    std::string m_url;
    UrlParts m_parts;
    TickHTTPActions m_currentAction = ickhttpIdle;
    std::string m_accept;
    std::vector<std::string> m_requestHeaders;
    bool m_allowCookies = true;
    std::string m_localFile;
    long long m_bodyLimit = 0;
    int m_timeout = 0;
    std::string m_userAgent = "Orlek TickHTTP 1.0";
};

// The same component for http and https addresses; https is fetched over a secure connection,
// with the server's certificate verified.
class TickHTTPS : public TickHTTP {
public:
    TickHTTPS() : TickHTTP(443) {}

protected:
    bool acceptsScheme(const std::string& scheme) const override;
    bool secureAllowed() const override { return true; }
};

// Whether an address is fetched over a secure connection: it starts with "https://" in any case.
bool isSecureAddress(std::string_view address);

// The component that fetches an address: the secure one for https addresses, the plain one for
// every other address, which so goes exactly the way it always went (a plain component refuses
// a redirect to https, for one).
TickHTTP& componentFor(std::string_view address, TickHTTP& plain, TickHTTPS& secure);
