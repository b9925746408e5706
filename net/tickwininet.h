#pragma once

#include <functional>
#include <memory>
#include <string>

#include "net/core/actionthread.h"
#include "net/core/curlsession.h"
#include "net/core/tickcore.h"

class OwnerQueue;
struct ResponseHead;

// Every failure of the HTTP client component.
class EickHTTP : public EickError {
public:
    using EickError::EickError;
};

// The connection settings of the HTTP client component, the worker that runs one action, and
// the transfer events.
//
// An action runs on a worker thread of its own while the thread that started it waits in a loop
// that runs the component's events there (the worker waits for each handler), dispatches the
// thread's Qt events every few milliseconds, and leaves as soon as the worker ends. Handlers may
// use windows, read StatusLine, assign URL, set the action to idle, and start an action of
// another instance. An instance must not be deleted from inside one of its own handlers.
class TickWinInet : public TickCore {
public:
    TickWinInet();
    ~TickWinInet() override;
    TickWinInet(const TickWinInet&) = delete;
    TickWinInet& operator=(const TickWinInet&) = delete;

    const std::string& User() const { return m_user; }
    void setUser(const std::string& value) { m_user = value; }
    const std::string& Password() const { return m_password; }
    void setPassword(const std::string& value) { m_password = value; }
    const std::string& ProxyServer() const { return m_proxyServer; }
    void setProxyServer(const std::string& value) { m_proxyServer = value; }
    const std::string& ProxyBypass() const { return m_proxyBypass; }
    void setProxyBypass(const std::string& value) { m_proxyBypass = value; }
    bool UseCache() const { return m_useCache; }
    void setUseCache(bool value) { m_useCache = value; }
    // libcurl's version as "%d.%d.%d.%d".
    std::string WinInetVersion() const;

    // The certificate authorities that secure connections trust: a PEM bundle file. Empty means
    // the file named by SSL_CERT_FILE when set, else the system's.
    const std::string& CABundle() const { return m_caBundle; }
    void setCABundle(const std::string& value) { m_caBundle = value; }

    std::function<void(TickWinInet* Sender, int StatusCode, const std::string& Description)> OnStatus;
    std::function<void(TickWinInet* Sender)> OnStartTransfer;
    std::function<void(TickWinInet* Sender, int BytesTransferred, const std::string& Text)> OnTransfer;
    std::function<void(TickWinInet* Sender)> OnEndTransfer;

protected:
    bool running() const;
    // Runs the request on a worker and waits for it; the worker's result, or 301 on a timeout.
    // Handler failures are thrown once the action has ended.
    TransferResult runRequest(TransferRequest request, int timeoutSeconds);
    // Stops the running action; waits for its worker unless called from one of its handlers.
    void interrupt();
    // No action running: drops the kept connections.
    void closeHandles();

    std::string statusLine() const;
    void clearStatusLine();
    std::string effectiveCABundle() const;
    // Calls a handler; what it throws is kept and thrown when the action has ended.
    void callHandler(const std::function<void()>& handler);

    // Raises the header events of a response head; called on the owner thread.
    virtual void raiseHeaderEvents(const ResponseHead& head) { (void)head; }
    virtual bool hasHeaderHandler() const { return false; }

private:
    struct Action;
    class Forwarder;
    enum class WaitEnd { Finished, Detached, TimedOut, Quit, GaveUp };

    WaitEnd waitFor(Action& action, int timeoutMs, int maxCycles);

    std::string m_user;
    std::string m_password;
    std::string m_proxyServer;
    std::string m_proxyBypass;
    bool m_useCache = true;
    std::string m_caBundle;

    struct SharedText;
    std::shared_ptr<SharedText> m_statusLine;
    std::shared_ptr<CurlSession> m_session;
    std::shared_ptr<Action> m_action;
    std::unique_ptr<ActionThread> m_thread;
    bool m_destroying = false;
};
