#pragma once

#include <atomic>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "net/core/httpresponse.h"
#include "net/core/proxyplan.h"

// Everything one request needs, copied when the action starts so that later changes of the
// component's properties do not reach a running request.
struct TransferRequest {
    std::string url;             // as it goes to the wire
    std::string scheme;          // "http" or "https"
    std::string method;          // "GET", "POST", "HEAD" or "PUT"
    std::string host;            // the server's name, for the look-up notice
    bool secureAllowed = false;  // https may be used, also after a redirect
    std::string userAgent;
    std::string accept;
    // Further header fields as "Name: value" lines; one named like a field the component writes
    // itself (Accept, Connection, Pragma, Cache-Control) takes that field's place.
    std::vector<std::string> headers;
    bool useCache = true;
    bool allowCookies = true;
    std::string user;
    std::string password;
    ProxyPlan proxy;
    std::string localFile;
    long long bodyLimit = 0;  // the most body bytes taken; 0 takes any number
    std::string caBundle;     // empty: the system's certificate authorities
};

struct TransferResult {
    int code = 0;
    std::string description;
};

using StatusNotices = std::vector<std::pair<int, std::string>>;

// What a transfer reports on its way, in the order it happens. Called on the worker thread.
class TransferEvents {
public:
    virtual ~TransferEvents() = default;
    virtual void status(const StatusNotices& notices) = 0;
    // The final response's head has been read: its header lines, then the start of the body.
    virtual void response(const ResponseHead& head) = 0;
    virtual void block(long long total, std::string_view data) = 0;
    virtual void endTransfer() = 0;
};

constexpr size_t kTransferBlockSize = 32000;

// libcurl performing one request at a time for one component instance. Kept connections, the
// name cache and the cookies live as long as the session (cookies only reach requests that allow
// them).
class CurlSession {
public:
    CurlSession();
    ~CurlSession();
    CurlSession(const CurlSession&) = delete;
    CurlSession& operator=(const CurlSession&) = delete;

    // Runs on the worker. Returns early, with code 0, once stop is set and wake() called.
    TransferResult perform(const TransferRequest& request, TransferEvents& events,
                           const std::atomic<bool>& stop);

    // Any thread: makes a running perform() look at its stop flag now.
    void wake();

    // No perform() running: closes the kept connections.
    void closeConnections();

    static std::string libraryVersion();

    struct Transfer;

private:
    void* m_multi = nullptr;
    void* m_cookies = nullptr;
    Transfer* m_current = nullptr;  // touched by the worker and by libcurl's callbacks only
};
