#include "net/tickhttp.h"

#include "net/core/httpresponse.h"
#include "net/core/proxyplan.h"
#include "net/core/wininetcodes.h"
#include "platform/core/text.h"

#include <cstdlib>

namespace {

// Action reads idle again however the action ends.
class ActionScope {
public:
    ActionScope(TickHTTPActions& action, TickHTTPActions value) : m_action(action) { m_action = value; }
    ~ActionScope() { m_action = ickhttpIdle; }
    ActionScope(const ActionScope&) = delete;
    ActionScope& operator=(const ActionScope&) = delete;

private:
    TickHTTPActions& m_action;
};

}  // namespace

TickHTTP::TickHTTP(int defaultPort) : m_defaultPort(defaultPort) {
    m_parts.port = defaultPort;
}

void TickHTTP::setURL(const std::string& value) {
    m_url = value;
    clearLastErrorDescription();
    m_parts = splitUrl(value);
}

bool TickHTTP::acceptsScheme(const std::string& scheme) const {
    return equalsIgnoringCase(scheme, "http");
}

bool TickHTTPS::acceptsScheme(const std::string& scheme) const {
    return equalsIgnoringCase(scheme, "http") || equalsIgnoringCase(scheme, "https");
}

void TickHTTP::raiseHeaderEvents(const ResponseHead& head) {
    for (const auto& [field, value] : head.fields) {
        if (!OnHeader)
            break;
        callHandler([&] { OnHeader(this, field, value); });
    }
}

void TickHTTP::setAction(TickHTTPActions value) {
    if (value != ickhttpIdle && running()) {
        raiseError<EickHTTP>(ickcodes::Busy, componentErrorDescription(ickcodes::Busy));
    }
    switch (value) {
        case ickhttpIdle:
            if (running()) {
                interrupt();
            } else {
                closeHandles();
            }
            return;
        case ickhttpResetHeaders:
            resetHeaders();
            return;
        case ickhttpGet:
            return perform(value, "GET");
        case ickhttpPost:
            return perform(value, "POST");
        case ickhttpHead:
            return perform(value, "HEAD");
        case ickhttpPut:
            return perform(value, "PUT");
    }
}

void TickHTTP::resetHeaders() {
    m_url.clear();
    m_parts = UrlParts();
    m_parts.port = m_defaultPort;
    m_accept.clear();
    m_requestHeaders.clear();
    m_localFile.clear();
    clearStatusLine();
}

void TickHTTP::perform(TickHTTPActions action, const char* method) {
    ActionScope scope(m_currentAction, action);
    clearStatusLine();
    if (!m_parts.valid || !acceptsScheme(m_parts.scheme)) {
        raiseError<EickHTTP>(ickcodes::InvalidScheme, componentErrorDescription(ickcodes::InvalidScheme));
    }
    if (m_parts.host.empty()) {
        raiseError<EickHTTP>(ickcodes::NoServer, componentErrorDescription(ickcodes::NoServer));
    }

    TransferRequest request;
    request.url = m_parts.requestUrl;
    request.scheme = lowerAscii(m_parts.scheme);
    request.method = method;
    request.host = m_parts.host;
    request.secureAllowed = secureAllowed();
    request.userAgent = m_userAgent;
    request.accept = m_accept;
    request.headers = m_requestHeaders;
    request.useCache = UseCache();
    request.allowCookies = m_allowCookies;
    request.user = User();
    request.password = Password();
    request.proxy = planProxy(ProxyServer(), ProxyBypass(), m_parts.scheme, m_parts.host, &std::getenv);
    request.localFile = m_localFile;
    request.bodyLimit = m_bodyLimit;
    request.caBundle = effectiveCABundle();

    TransferResult result = runRequest(std::move(request), m_timeout);
    if (result.code != 0)
        raiseError<EickHTTP>(result.code, result.description);
}

bool isSecureAddress(std::string_view address) {
    return startsWithIgnoringCase(address, "https://");
}

TickHTTP& componentFor(std::string_view address, TickHTTP& plain, TickHTTPS& secure) {
    return isSecureAddress(address) ? secure : plain;
}
