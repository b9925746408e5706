#pragma once

#include <QCoreApplication>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "net/core/tickcore.h"
#include "net/tickhttp.h"

// The application object the component dispatches events through; made once per test program.
inline void ensureApplication() {
    static int argc = 1;
    static char name[] = "net_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
}

// Records every event of a component, as text, in the order raised, and whether each came on
// the thread that made the recorder.
class EventLog {
public:
    explicit EventLog(TickHTTP& http, bool withStatus = true) : m_owner(std::this_thread::get_id()) {
        if (withStatus) {
            http.OnStatus = [this](TickWinInet*, int code, const std::string& description) {
                add("status " + std::to_string(code) + " " + description);
            };
        }
        http.OnHeader = [this](TickHTTP*, const std::string& field, const std::string& value) {
            add("header " + field + "=" + value);
        };
        http.OnStartTransfer = [this](TickWinInet*) { add("start"); };
        http.OnTransfer = [this](TickWinInet*, int total, const std::string& text) {
            add("transfer " + std::to_string(total) + " " + std::to_string(text.size()));
            body += text;
        };
        http.OnEndTransfer = [this](TickWinInet*) { add("end"); };
    }

    // The events without the status notices.
    std::vector<std::string> transfer() const {
        std::vector<std::string> result;
        for (const std::string& e : events) {
            if (e.rfind("status ", 0) != 0)
                result.push_back(e);
        }
        return result;
    }
    // The status codes in order.
    std::vector<int> statusCodes() const {
        std::vector<int> codes;
        for (const std::string& e : events) {
            if (e.rfind("status ", 0) == 0)
                codes.push_back(std::stoi(e.substr(7)));
        }
        return codes;
    }

    std::vector<std::string> events;
    std::string body;
    bool allOnOwnerThread = true;

private:
    void add(const std::string& event) {
        if (std::this_thread::get_id() != m_owner)
            allOnOwnerThread = false;
        events.push_back(event);
    }
    std::thread::id m_owner;
};

// Runs an action and returns the EickHTTP it raised as "code: description", or "" when none.
inline std::string failureOf(TickHTTP& http, TickHTTPActions action) {
    try {
        http.setAction(action);
    } catch (const EickError& e) {
        return e.what();
    }
    return {};
}
