#include "net/core/curlsession.h"

#include <arpa/inet.h>
#include <curl/curl.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <memory>
#include <mutex>

#include "net/core/curlerrors.h"
#include "net/core/wininetcodes.h"
#include "platform/core/text.h"

namespace {

void initialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string addressText(const sockaddr* address) {
    char text[INET6_ADDRSTRLEN] = {};
    if (address->sa_family == AF_INET) {
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(address)->sin_addr, text, sizeof text);
    } else if (address->sa_family == AF_INET6) {
        inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr, text, sizeof text);
    }
    return text;
}

struct UrlHandle {
    CURLU* url = curl_url();
    ~UrlHandle() { curl_url_cleanup(url); }
    std::string part(CURLUPart which) const {
        char* text = nullptr;
        if (curl_url_get(url, which, &text, 0) != CURLUE_OK)
            return {};
        std::string result = text;
        curl_free(text);
        return result;
    }
};

struct HeaderList {
    curl_slist* list = nullptr;
    ~HeaderList() { curl_slist_free_all(list); }
    void add(const std::string& line) { list = curl_slist_append(list, line.c_str()); }
};

// Whether one of the "Name: value" lines names the field.
bool namesHeader(const std::vector<std::string>& lines, std::string_view name) {
    for (const std::string& line : lines) {
        std::string_view field = std::string_view(line).substr(0, line.find(':'));
        if (equalsIgnoringCase(trimmedView(field), name))
            return true;
    }
    return false;
}

}  // namespace

// The state of the one request a session runs, seen by libcurl's callbacks.
struct CurlSession::Transfer {
    enum class Stage { Idle, Sending, Waiting, Receiving };

    const TransferRequest& request;
    TransferEvents& events;
    const std::atomic<bool>& stop;
    CURL* easy = nullptr;

    // Where the current hop stands, for the progress notices.
    Stage stage = Stage::Idle;
    std::string hopHost;
    std::string hopScheme;
    bool lookupNoticed = false;
    bool addressNoticed = false;
    bool openedSocket = false;
    curl_off_t requestBytesAtPrereq = 0;
    int pendingCloses = 0;

    ResponseHeadReader headReader;
    bool headBeforeRequest = false;  // the head being read answers the proxy's CONNECT
    bool published = false;          // the final head went out; the body follows
    std::string statusLine;
    BlockBuffer blocks{kTransferBlockSize};
    long long total = 0;
    int file = -1;
    bool fileAttempted = false;
    int failureCode = 0;  // set by our callbacks when they stop libcurl

    Transfer(const TransferRequest& r, TransferEvents& e, const std::atomic<bool>& s)
        : request(r), events(e), stop(s) {}

    void notify(StatusNotices notices) {
        if (stop)
            return;
        if (pendingCloses > 0) {
            StatusNotices closes;
            for (; pendingCloses > 0; --pendingCloses) {
                closes.emplace_back(ickcodes::StatusClosing, "");
                closes.emplace_back(ickcodes::StatusClosed, "");
            }
            notices.insert(notices.begin(), closes.begin(), closes.end());
        }
        if (!notices.empty())
            events.status(notices);
    }

    std::string lookupHost() const { return request.proxy.viaProxy ? request.proxy.proxyHost : hopHost; }

    void requestWasSent() {
        if (stage != Stage::Sending)
            return;
        notify({{ickcodes::StatusSent, ""}, {ickcodes::StatusReceiving, ""}});
        stage = Stage::Waiting;
    }

    bool storeBlock(const char* data, size_t length) {
        // A body past the limit stops before its block is stored, so neither the file nor the
        // caller ever holds more than the limit.
        if (request.bodyLimit > 0 && total + static_cast<long long>(length) > request.bodyLimit) {
            failureCode = ickcodes::BodyTooLarge;
            return false;
        }
        if (!request.localFile.empty()) {
            if (!fileAttempted) {
                fileAttempted = true;
                file = ::open(request.localFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
            }
            if (file < 0) {
                failureCode = ickcodes::LocalFileCreate;
                return false;
            }
            for (size_t written = 0; written < length;) {
                ssize_t n = ::write(file, data + written, length - written);
                if (n < 0 && errno == EINTR)
                    continue;
                if (n <= 0) {
                    failureCode = ickcodes::LocalFileWrite;
                    return false;
                }
                written += static_cast<size_t>(n);
            }
        }
        total += static_cast<long long>(length);
        events.block(total, std::string_view(data, length));
        return !stop;
    }

    bool flushBlock() {
        return blocks.flush([this](const char* data, size_t length) { return storeBlock(data, length); });
    }

    void closeFile() {
        if (file >= 0)
            ::close(file);
        file = -1;
    }

    // Decides, at the end of a head, whether it is the response the caller gets.
    bool finishHead() {
        ResponseHead head = headReader.take();
        if (headBeforeRequest) {
            // The proxy opened the tunnel; the server's answer follows.
            if (head.statusCode >= 200 && head.statusCode < 300)
                return true;
        } else if (head.isInterim()) {
            notify({{ickcodes::StatusIntermediate, ""}});
            stage = Stage::Waiting;
            return true;
        } else if (head.isRedirect()) {
            return followRedirect(head.location);
        }
        published = true;
        statusLine = head.statusLine;
        events.response(head);
        return !stop;
    }

    bool followRedirect(const std::string& location) {
        char* current = nullptr;
        curl_easy_getinfo(easy, CURLINFO_EFFECTIVE_URL, &current);
        UrlHandle target;
        if (!current || curl_url_set(target.url, CURLUPART_URL, current, 0) != CURLUE_OK ||
            curl_url_set(target.url, CURLUPART_URL, location.c_str(), 0) != CURLUE_OK) {
            failureCode = ickcodes::RedirectFailed;
            return false;
        }
        std::string scheme = lowerAscii(target.part(CURLUPART_SCHEME));
        if (scheme == "https" && !request.secureAllowed) {
            failureCode = ickcodes::HttpToHttpsRedirect;
            return false;
        }
        if (scheme == "http" && hopScheme == "https") {
            failureCode = ickcodes::HttpsToHttpRedirect;
            return false;
        }
        if (scheme != "http" && scheme != "https") {
            failureCode = 12048;  // a redirect to another kind of address
            return false;
        }
        notify({{ickcodes::StatusRedirect, target.part(CURLUPART_URL)}});
        hopHost = target.part(CURLUPART_HOST);
        hopScheme = scheme;
        stage = Stage::Idle;
        lookupNoticed = addressNoticed = openedSocket = false;
        return !stop;
    }

    static size_t onHeader(char* data, size_t size, size_t count, void* self) {
        auto* t = static_cast<Transfer*>(self);
        size_t length = size * count;
        if (t->stop)
            return 0;
        if (t->published)
            return length;  // trailers of a chunked body
        if (!t->headReader.started()) {
            t->headBeforeRequest = t->stage == Stage::Idle;
            if (!t->headBeforeRequest) {
                t->requestWasSent();
                if (t->stage != Stage::Receiving)
                    t->notify({{ickcodes::StatusReceived, ""}});
                t->stage = Stage::Receiving;
            }
        }
        if (t->headReader.addLine(std::string_view(data, length)) && !t->finishHead())
            return 0;
        return length;
    }

    static size_t onBody(char* data, size_t size, size_t count, void* self) {
        auto* t = static_cast<Transfer*>(self);
        size_t length = size * count;
        if (t->stop)
            return 0;
        bool ok =
            t->blocks.append(data, length, [t](const char* d, size_t n) { return t->storeBlock(d, n); });
        return ok ? length : 0;
    }

    static int onResolverStart(void*, void*, void* self) {
        auto* t = static_cast<Transfer*>(self);
        t->notify({{ickcodes::StatusResolving, t->lookupHost()}});
        t->lookupNoticed = true;
        return 0;
    }

    static int onPrereq(void* self, char* primaryIp, char*, int, int) {
        auto* t = static_cast<Transfer*>(self);
        StatusNotices notices;
        if (t->openedSocket)
            notices.emplace_back(ickcodes::StatusConnected, primaryIp ? primaryIp : "");
        notices.emplace_back(ickcodes::StatusSending, "");
        t->notify(std::move(notices));
        curl_easy_getinfo(t->easy, CURLINFO_REQUEST_SIZE, &t->requestBytesAtPrereq);
        t->stage = Stage::Sending;
        return t->stop ? CURL_PREREQFUNC_ABORT : CURL_PREREQFUNC_OK;
    }
};

namespace {

// Socket callbacks outlive the transfer that opened a connection (libcurl keeps the callback
// with the connection), so they reach the transfer through the session, which lives longer.
curl_socket_t openSocket(void* clientp, curlsocktype, curl_sockaddr* address) {
    auto* current = *static_cast<CurlSession::Transfer**>(clientp);
    curl_socket_t fd = ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
    if (current && fd != CURL_SOCKET_BAD) {
        std::string text = addressText(&address->addr);
        StatusNotices notices;
        if (!current->lookupNoticed)
            notices.emplace_back(ickcodes::StatusResolving, current->lookupHost());
        if (!current->addressNoticed)
            notices.emplace_back(ickcodes::StatusResolved, text);
        notices.emplace_back(ickcodes::StatusConnecting, text);
        current->lookupNoticed = current->addressNoticed = current->openedSocket = true;
        current->notify(std::move(notices));
    }
    return fd;
}

int closeSocket(void* clientp, curl_socket_t fd) {
    auto* current = *static_cast<CurlSession::Transfer**>(clientp);
    if (current && !current->stop)
        ++current->pendingCloses;
    return ::close(fd);
}

}  // namespace

CurlSession::CurlSession() {
    initialiseCurlOnce();
    m_multi = curl_multi_init();
    m_cookies = curl_share_init();
    curl_share_setopt(m_cookies, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
}

CurlSession::~CurlSession() {
    curl_multi_cleanup(m_multi);
    curl_share_cleanup(m_cookies);
}

void CurlSession::wake() {
    curl_multi_wakeup(m_multi);
}

void CurlSession::closeConnections() {
    curl_multi_cleanup(m_multi);
    m_multi = curl_multi_init();
}

std::string CurlSession::libraryVersion() {
    const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
    if (!info)
        return {};
    unsigned v = info->version_num;
    return std::to_string((v >> 16) & 0xff) + "." + std::to_string((v >> 8) & 0xff) + "." +
           std::to_string(v & 0xff) + ".0";
}

TransferResult CurlSession::perform(const TransferRequest& request, TransferEvents& events,
                                    const std::atomic<bool>& stop) {
    Transfer t(request, events, stop);
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> easy(curl_easy_init(), &curl_easy_cleanup);
    if (!easy || !m_multi)
        return {ickcodes::OutOfHandles, serviceErrorDescription(ickcodes::OutOfHandles)};
    t.easy = easy.get();
    t.hopHost = request.host;
    t.hopScheme = request.scheme;

    CURL* e = easy.get();
    char errorText[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(e, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(e, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, request.secureAllowed ? "http,https" : "http");
    curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, request.secureAllowed ? "http,https" : "http");
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(e, CURLOPT_MAXREDIRS, 20L);
    curl_easy_setopt(e, CURLOPT_BUFFERSIZE, 65536L);
    if (!request.userAgent.empty())
        curl_easy_setopt(e, CURLOPT_USERAGENT, request.userAgent.c_str());
    if (!request.caBundle.empty())
        curl_easy_setopt(e, CURLOPT_CAINFO, request.caBundle.c_str());

    HeaderList headers;
    auto own = [&](std::string_view name, const std::string& line) {
        if (!namesHeader(request.headers, name))
            headers.add(line);
    };
    own("Accept", request.accept.empty() ? "Accept:" : "Accept: " + request.accept);
    own("Connection", "Connection: Keep-Alive");
    if (!request.useCache) {
        own("Pragma", "Pragma: no-cache");
        own("Cache-Control", "Cache-Control: no-cache");
    }
    if (request.method == "POST" || request.method == "PUT")
        own("Content-Type", "Content-Type:");
    for (const std::string& line : request.headers)
        headers.add(line);
    curl_easy_setopt(e, CURLOPT_HTTPHEADER, headers.list);

    if (request.method == "HEAD") {
        curl_easy_setopt(e, CURLOPT_NOBODY, 1L);
    } else if (request.method == "POST" || request.method == "PUT") {
        curl_easy_setopt(e, CURLOPT_POSTFIELDS, "");
        curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE, 0L);
        if (request.method == "PUT")
            curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, "PUT");
    }

    if (request.allowCookies) {
        curl_easy_setopt(e, CURLOPT_SHARE, m_cookies);
        curl_easy_setopt(e, CURLOPT_COOKIEFILE, "");
    }
    if (!request.user.empty() || !request.password.empty()) {
        curl_easy_setopt(e, CURLOPT_USERNAME, request.user.c_str());
        curl_easy_setopt(e, CURLOPT_PASSWORD, request.password.c_str());
        curl_easy_setopt(e, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
    }
    // The plan is final: libcurl must neither add a proxy from the environment nor drop one.
    curl_easy_setopt(e, CURLOPT_PROXY, request.proxy.viaProxy ? request.proxy.proxy.c_str() : "");
    curl_easy_setopt(e, CURLOPT_NOPROXY, "");
    if (request.proxy.viaProxy) {
        curl_easy_setopt(e, CURLOPT_PROXYPORT, 80L);
        if (!request.user.empty() || !request.password.empty()) {
            curl_easy_setopt(e, CURLOPT_PROXYUSERNAME, request.user.c_str());
            curl_easy_setopt(e, CURLOPT_PROXYPASSWORD, request.password.c_str());
            curl_easy_setopt(e, CURLOPT_PROXYAUTH, static_cast<long>(CURLAUTH_BASIC));
        }
    }

    curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &Transfer::onHeader);
    curl_easy_setopt(e, CURLOPT_HEADERDATA, &t);
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &Transfer::onBody);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(e, CURLOPT_RESOLVER_START_FUNCTION, &Transfer::onResolverStart);
    curl_easy_setopt(e, CURLOPT_RESOLVER_START_DATA, &t);
    curl_easy_setopt(e, CURLOPT_PREREQFUNCTION, &Transfer::onPrereq);
    curl_easy_setopt(e, CURLOPT_PREREQDATA, &t);
    curl_easy_setopt(e, CURLOPT_OPENSOCKETFUNCTION, &openSocket);
    curl_easy_setopt(e, CURLOPT_OPENSOCKETDATA, &m_current);
    curl_easy_setopt(e, CURLOPT_CLOSESOCKETFUNCTION, &closeSocket);
    curl_easy_setopt(e, CURLOPT_CLOSESOCKETDATA, &m_current);

    m_current = &t;
    CURLM* multi = m_multi;
    curl_multi_add_handle(multi, e);
    CURLcode outcome = CURLE_OK;
    bool done = false;
    while (!done && !stop) {
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            outcome = CURLE_OUT_OF_MEMORY;
            break;
        }
        if (t.stage == Transfer::Stage::Sending) {
            curl_off_t sent = 0;
            curl_easy_getinfo(e, CURLINFO_REQUEST_SIZE, &sent);
            if (sent > t.requestBytesAtPrereq)
                t.requestWasSent();
        }
        int left = 0;
        while (CURLMsg* message = curl_multi_info_read(multi, &left)) {
            if (message->msg == CURLMSG_DONE && message->easy_handle == e) {
                outcome = message->data.result;
                done = true;
            }
        }
        // What has arrived so far is a block of its own, as long as the body goes on.
        if (t.published && !stop && t.failureCode == 0)
            t.flushBlock();
        if (done || stop || t.failureCode != 0)
            break;
        curl_multi_poll(multi, nullptr, 0, 1000, nullptr);
    }

    long verifyResult = 0;
    curl_easy_getinfo(e, CURLINFO_SSL_VERIFYRESULT, &verifyResult);
    curl_multi_remove_handle(multi, e);
    easy.reset();
    t.closeFile();

    TransferResult result;
    if (t.failureCode != 0) {
        result.code = t.failureCode;
        std::string own = componentErrorDescription(t.failureCode);
        result.description = own.empty() ? serviceErrorDescription(t.failureCode) : own;
    } else if (!stop && outcome != CURLE_OK) {
        CurlFailure failure{outcome, verifyResult, request.proxy.viaProxy, errorText};
        result.code = serviceCodeForCurl(failure);
        result.description = serviceErrorDescription(result.code);
    }

    if (t.published) {
        events.endTransfer();
        // A failed local file or a body cut at the limit is what the caller must hear about,
        // whatever the server answered.
        bool bodyFailed = result.code == ickcodes::LocalFileCreate ||
                          result.code == ickcodes::LocalFileWrite || result.code == ickcodes::BodyTooLarge;
        std::string description;
        if (!bodyFailed && statusLineFails(t.statusLine, &description)) {
            result.code = ickcodes::HttpStatus;
            result.description = description;
        }
    }
    t.notify({});
    m_current = nullptr;
    return result;
}
