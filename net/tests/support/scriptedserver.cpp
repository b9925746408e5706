#include "net/tests/support/scriptedserver.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

#include "platform/core/text.h"

namespace {

bool sendAll(int fd, const char* data, size_t length) {
    while (length > 0) {
        ssize_t n = ::send(fd, data, length, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        data += n;
        length -= static_cast<size_t>(n);
    }
    return true;
}

std::string headOf(const ScriptedResponse& response) {
    std::string head = response.statusLine + "\r\n";
    for (const std::string& line : response.headerLines)
        head += line + "\r\n";
    if (response.keepAlive)
        head += "Connection: keep-alive\r\n";
    if (response.contentLength)
        head += "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
    return head + "\r\n";
}

}  // namespace

ScriptedResponse ScriptedResponse::ok(std::string body, std::string contentType) {
    ScriptedResponse response;
    response.headerLines = {"Content-Type: " + contentType};
    response.body = std::move(body);
    return response;
}

std::string ReceivedRequest::header(const std::string& name) const {
    for (const auto& [field, value] : headers) {
        if (equalsIgnoringCase(field, name))
            return value;
    }
    return {};
}

bool ReceivedRequest::hasHeader(const std::string& name) const {
    return std::any_of(headers.begin(), headers.end(),
                       [&](const auto& field) { return equalsIgnoringCase(field.first, name); });
}

ScriptedServer::ScriptedServer() {
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_listener, 64) != 0 ||
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("the scripted server cannot listen on 127.0.0.1");
    }
    m_port = ntohs(address.sin_port);
    m_acceptor = std::thread([this] { acceptLoop(); });
}

ScriptedServer::~ScriptedServer() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        for (int fd : m_clients)
            ::shutdown(fd, SHUT_RDWR);
    }
    m_changed.notify_all();
    ::shutdown(m_listener, SHUT_RDWR);
    m_acceptor.join();
    for (std::thread& thread : m_threads)
        thread.join();
    ::close(m_listener);
}

std::string ScriptedServer::url(const std::string& target) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + target;
}

void ScriptedServer::script(const std::string& target, ScriptedResponse response) {
    std::lock_guard lock(m_mutex);
    m_scripts[target] = std::move(response);
}

std::vector<ReceivedRequest> ScriptedServer::requests() const {
    std::lock_guard lock(m_mutex);
    return m_requests;
}

bool ScriptedServer::waitForResponsesWritten(size_t count) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::seconds(10), [&] { return m_written >= count; });
}

void ScriptedServer::markWritten() {
    std::lock_guard lock(m_mutex);
    ++m_written;
    m_changed.notify_all();
}

void ScriptedServer::acceptLoop() {
    for (;;) {
        int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        std::lock_guard lock(m_mutex);
        if (m_stopping) {
            if (fd >= 0)
                ::close(fd);
            return;
        }
        if (fd < 0)
            continue;
        int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        m_clients.push_back(fd);
        int connection = ++m_connections;
        m_threads.emplace_back([this, fd, connection] { serve(fd, connection); });
    }
}

void ScriptedServer::serve(int fd, int connection) {
    std::string pending;
    bool keepOpen = true;
    while (keepOpen) {
        ReceivedRequest request;
        request.connection = connection;
        if (!readRequest(fd, pending, request))
            break;
        ScriptedResponse response;
        {
            std::lock_guard lock(m_mutex);
            m_requests.push_back(request);
            auto found = m_scripts.find(request.target);
            if (found != m_scripts.end()) {
                response = found->second;
                const auto& [name, value] = response.requiredHeader;
                if (!name.empty() && (!request.hasHeader(name) || request.header(name) != value)) {
                    response = ScriptedResponse();
                    response.statusLine = "HTTP/1.0 401 Unauthorized";
                    response.body = "{\"error\": \"no valid key\"}";
                }
            } else {
                response.statusLine = "HTTP/1.0 404 Not Found";
                response.body = "not scripted";
            }
        }
        keepOpen = response.keepAlive && equalsIgnoringCase(request.header("Connection"), "keep-alive");
        respond(fd, response, keepOpen);
    }
    std::lock_guard lock(m_mutex);
    m_clients.erase(std::remove(m_clients.begin(), m_clients.end(), fd), m_clients.end());
    ::close(fd);
}

bool ScriptedServer::readRequest(int fd, std::string& pending, ReceivedRequest& request) {
    size_t headEnd;
    while ((headEnd = pending.find("\r\n\r\n")) == std::string::npos) {
        char buffer[4096];
        ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            return false;
        pending.append(buffer, static_cast<size_t>(n));
    }
    std::vector<std::string> lines = splitLines(pending.substr(0, headEnd));
    pending.erase(0, headEnd + 4);
    if (lines.empty())
        return false;
    request.requestLine = lines[0];
    size_t firstBlank = lines[0].find(' ');
    size_t lastBlank = lines[0].rfind(' ');
    request.method = lines[0].substr(0, firstBlank);
    if (firstBlank != std::string::npos && lastBlank > firstBlank) {
        request.target = lines[0].substr(firstBlank + 1, lastBlank - firstBlank - 1);
    }
    for (size_t i = 1; i < lines.size(); ++i) {
        size_t colon = lines[i].find(':');
        std::string value = colon == std::string::npos ? "" : lines[i].substr(colon + 1);
        value.erase(0, value.find_first_not_of(" \t"));
        request.headers.emplace_back(lines[i].substr(0, colon), value);
    }
    size_t bodyLength = 0;
    if (std::string length = request.header("Content-Length"); !length.empty())
        bodyLength = std::stoul(length);
    while (pending.size() < bodyLength) {
        char buffer[4096];
        ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            return false;
        pending.append(buffer, static_cast<size_t>(n));
    }
    request.body = pending.substr(0, bodyLength);
    pending.erase(0, bodyLength);
    return true;
}

bool ScriptedServer::stopping() const {
    std::lock_guard lock(m_mutex);
    return m_stopping;
}

bool ScriptedServer::pause(std::chrono::milliseconds interval) {
    std::unique_lock lock(m_mutex);
    return !m_changed.wait_for(lock, interval, [&] { return m_stopping; });
}

bool ScriptedServer::waitForRelease() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_stopping || m_released > 0; });
    if (m_stopping)
        return false;
    --m_released;
    return true;
}

void ScriptedServer::releasePiece() {
    {
        std::lock_guard lock(m_mutex);
        ++m_released;
    }
    m_changed.notify_all();
}

void ScriptedServer::respond(int fd, const ScriptedResponse& response, bool& keepOpen) {
    using Delivery = ScriptedResponse::Delivery;
    std::string head = headOf(response);
    switch (response.delivery) {
        case Delivery::AtOnce: {
            std::string all = head + response.body;
            if (!sendAll(fd, all.data(), all.size()))
                keepOpen = false;
            break;
        }
        case Delivery::InPieces: {
            bool ok = sendAll(fd, head.data(), head.size());
            for (size_t sent = 0; ok && sent < response.body.size(); sent += response.pieceSize) {
                if (sent > 0 &&
                    !(response.piecesOnRelease ? waitForRelease() : pause(response.pieceInterval)))
                    ok = false;
                size_t size = std::min(response.pieceSize, response.body.size() - sent);
                if (ok)
                    ok = sendAll(fd, response.body.data() + sent, size);
            }
            if (!ok)
                keepOpen = false;
            break;
        }
        case Delivery::ResetMidBody: {
            std::string part = head + response.body.substr(0, response.resetAfter);
            sendAll(fd, part.data(), part.size());
            linger reset{1, 0};
            ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
            keepOpen = false;
            break;
        }
        case Delivery::Silence: {
            markWritten();
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [&] { return m_stopping; });
            keepOpen = false;
            return;
        }
        case Delivery::CloseAtOnce:
            keepOpen = false;
            break;
        case Delivery::Endless: {
            bool ok = sendAll(fd, head.data(), head.size());
            while (ok && !response.body.empty() && !stopping())
                ok = sendAll(fd, response.body.data(), response.body.size());
            keepOpen = false;
            break;
        }
    }
    markWritten();
}
