#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "net/tests/support/childprocess.h"

// Real servers from Debian's packages, started on free 127.0.0.1 ports in a private temporary
// folder and stopped (folder removed) with the object. Constructors throw std::runtime_error
// when the program is missing or does not come up.

// A certificate authority made with openssl for one test run, and a server certificate it signed
// for the address 127.0.0.1 only (so "localhost" does not match its name), plus an expired one.
class TestCertificates {
public:
    explicit TestCertificates(const std::filesystem::path& folder);

    // The PEM file a client trusts to accept the server certificates (the CA alone).
    std::filesystem::path caBundle() const { return m_folder / "ca.crt"; }
    std::filesystem::path serverCertificate() const { return m_folder / "server.crt"; }
    std::filesystem::path expiredCertificate() const { return m_folder / "expired.crt"; }
    std::filesystem::path serverKey() const { return m_folder / "server.key"; }

private:
    std::filesystem::path m_folder;
};

// nginx serving a folder's files over HTTP, over HTTPS with the test certificate, and over HTTPS
// with the expired certificate. With a backend port, requests below "/backend/" are passed on to
// a plain HTTP server there (a ScriptedServer, say), so its scripted answers come over TLS.
//
//   NginxServer nginx("/path/to/site");
//   http.setURL(nginx.httpUrl("/index.html"));
//   https.setCABundle(nginx.caBundle());
//   https.setURL(nginx.httpsUrl("/index.html"));
class NginxServer {
public:
    explicit NginxServer(const std::filesystem::path& root, int backendPort = 0);
    ~NginxServer();

    int httpPort() const { return m_httpPort; }
    int httpsPort() const { return m_httpsPort; }
    std::string httpUrl(const std::string& path) const;
    std::string httpsUrl(const std::string& path) const;
    std::string expiredHttpsUrl(const std::string& path) const;
    std::string caBundle() const;

private:
    std::filesystem::path m_folder;
    std::unique_ptr<TestCertificates> m_certificates;
    int m_httpPort = 0;
    int m_httpsPort = 0;
    int m_expiredPort = 0;
    std::unique_ptr<ChildProcess> m_process;
};

// tinyproxy as a forward proxy (plain requests and CONNECT to any port), optionally asking for
// basic authentication. It adds a "Via" header to what it forwards, which tells a server that a
// request came through it.
class ForwardProxy {
public:
    ForwardProxy(const std::string& user = {}, const std::string& password = {});
    ~ForwardProxy();

    int port() const { return m_port; }
    // "127.0.0.1:<port>", the form a ProxyServer setting takes.
    std::string address() const;

private:
    std::filesystem::path m_folder;
    int m_port = 0;
    std::unique_ptr<ChildProcess> m_process;
};
