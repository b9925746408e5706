#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// A loopback HTTP server whose answers are scripted per request target, for tests of HTTP
// clients. It listens on 127.0.0.1 on a free port from construction to destruction and serves
// each connection on a thread of its own.
//
//   ScriptedServer server;
//   ScriptedResponse page;
//   page.statusLine = "HTTP/1.0 404 Not Found";
//   page.body = "gone";
//   server.script("/missing", page);
//   ... fetch server.url("/missing") ...
//   server.requests()[0].header("User-Agent");
//
// The head goes out exactly as scripted: the status line, each header line, "Connection:
// keep-alive" when asked for, a Content-Length line unless switched off, and the empty line. Pacing of slow
// bodies happens on the server's thread, so tests never sleep. An unscripted target gets "HTTP/1.0 404 Not
// Found".
struct ScriptedResponse {
    enum class Delivery {
        AtOnce,        // head and body in one write
        InPieces,      // head, then the body in pieces of pieceSize every pieceInterval
        ResetMidBody,  // head and resetAfter body bytes, then a reset (RST) of the connection
        Silence,       // reads the request and never answers; the connection stays open
        CloseAtOnce,   // reads the request and closes without a byte
        Endless,       // head, then the body again and again until the client goes away
    };

    std::string statusLine = "HTTP/1.0 200 OK";
    std::vector<std::string> headerLines;  // "Field: value", sent as written
    std::string body;
    bool contentLength = true;
    Delivery delivery = Delivery::AtOnce;
    size_t pieceSize = 1000;
    std::chrono::milliseconds pieceInterval{20};
    size_t resetAfter = 0;
    // Adds "Connection: keep-alive" and serves further requests on the connection when the
    // client asked for that.
    bool keepAlive = false;
    // InPieces: each piece after the first waits for ScriptedServer::releasePiece() instead of
    // pieceInterval, so a test decides what the client sees between two pieces however slow
    // the machine is.
    bool piecesOnRelease = false;

    // Only a request that carries this header field with exactly this value gets the response;
    // any other gets "HTTP/1.0 401 Unauthorized", as a service that wants a key answers.
    std::pair<std::string, std::string> requiredHeader;

    static ScriptedResponse ok(std::string body, std::string contentType = "text/html");
};

struct ReceivedRequest {
    std::string requestLine;  // "GET /path HTTP/1.0"
    std::string method;
    std::string target;
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    int connection = 0;  // the number of the connection it came on, from 1

    // The value of the first header of that name (any letter case); empty when there is none.
    std::string header(const std::string& name) const;
    bool hasHeader(const std::string& name) const;
};

class ScriptedServer {
public:
    ScriptedServer();
    ~ScriptedServer();
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    int port() const { return m_port; }
    // "http://127.0.0.1:<port>" followed by target.
    std::string url(const std::string& target) const;

    // The response to requests whose target (path and query as received) is target.
    void script(const std::string& target, ScriptedResponse response);

    std::vector<ReceivedRequest> requests() const;
    // Blocks until count responses have been written completely (a reset or silence counts
    // when its last byte is out), or ten seconds have passed; false then.
    bool waitForResponsesWritten(size_t count);
    // Lets one held piece of a piecesOnRelease response go out.
    void releasePiece();

private:
    void acceptLoop();
    void serve(int fd, int connection);
    bool readRequest(int fd, std::string& pending, ReceivedRequest& request);
    void respond(int fd, const ScriptedResponse& response, bool& keepOpen);
    bool pause(std::chrono::milliseconds interval);
    bool waitForRelease();
    bool stopping() const;
    void markWritten();

    int m_listener = -1;
    int m_port = 0;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_stopping = false;
    std::map<std::string, ScriptedResponse> m_scripts;
    std::vector<ReceivedRequest> m_requests;
    std::vector<int> m_clients;
    size_t m_written = 0;
    size_t m_released = 0;
    int m_connections = 0;
    std::vector<std::thread> m_threads;
    std::thread m_acceptor;
};
