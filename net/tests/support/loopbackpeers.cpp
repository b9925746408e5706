#include "net/tests/support/loopbackpeers.h"

#include <fstream>
#include <random>
#include <stdexcept>

namespace {

std::filesystem::path makeTempFolder(const std::string& kind) {
    std::random_device random;
    auto folder = std::filesystem::temp_directory_path() /
                  ("orlek-" + kind + "-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(folder);
    // Worker processes may run under another user; they read what lies here.
    std::filesystem::permissions(
        folder, std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                    std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                    std::filesystem::perms::others_exec);
    return folder;
}

void writeText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

void removeFolder(const std::filesystem::path& folder) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

}  // namespace

TestCertificates::TestCertificates(const std::filesystem::path& folder) : m_folder(folder) {
    auto file = [&](const char* name) { return (m_folder / name).string(); };
    std::filesystem::path log = m_folder / "openssl.log";
    writeText(m_folder / "server.ext", "subjectAltName=IP:127.0.0.1\nbasicConstraints=CA:FALSE\n");
    const std::vector<std::string> ecKey = {"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                                            "-nodes"};
    std::vector<std::string> ca = {"openssl", "req", "-x509"};
    ca.insert(ca.end(), ecKey.begin(), ecKey.end());
    ca.insert(ca.end(), {"-keyout", file("ca.key"), "-out", file("ca.crt"), "-days", "2", "-subj",
                         "/CN=Orlek Test CA"});
    runCommand(ca, log);
    std::vector<std::string> request = {"openssl", "req"};
    request.insert(request.end(), ecKey.begin(), ecKey.end());
    request.insert(request.end(),
                   {"-keyout", file("server.key"), "-out", file("server.csr"), "-subj", "/CN=127.0.0.1"});
    runCommand(request, log);
    for (auto [name, days] : {std::pair{"server.crt", "2"}, std::pair{"expired.crt", "-1"}}) {
        runCommand({"openssl", "x509", "-req", "-in", file("server.csr"), "-CA", file("ca.crt"), "-CAkey",
                    file("ca.key"), "-CAcreateserial", "-out", file(name), "-days", days, "-extfile",
                    file("server.ext")},
                   log);
    }
}

NginxServer::NginxServer(const std::filesystem::path& root, int backendPort)
    : m_folder(makeTempFolder("nginx")) {
    try {
        m_certificates = std::make_unique<TestCertificates>(m_folder);
        m_httpPort = freeLoopbackPort();
        m_httpsPort = freeLoopbackPort();
        m_expiredPort = freeLoopbackPort();
        auto path = [&](const std::filesystem::path& p) { return "\"" + p.string() + "\""; };
        std::string server = "        root " + path(std::filesystem::absolute(root)) +
                             ";\n        keepalive_requests 100000;\n";
        if (backendPort != 0) {
            // The backend's status line and headers reach the client as nginx words them.
            server +=
                "        location /backend/ { proxy_pass http://127.0.0.1:" + std::to_string(backendPort) +
                "; proxy_pass_request_headers on; }\n";
        }
        std::string tls = "        ssl_certificate_key " + path(m_certificates->serverKey()) + ";\n";
        writeText(m_folder / "nginx.conf",
                  "worker_processes 1;\n"
                  "pid " +
                      path(m_folder / "nginx.pid") +
                      ";\n"
                      "error_log " +
                      path(m_folder / "error.log") +
                      ";\n"
                      "events { worker_connections 256; }\n"
                      "http {\n"
                      "    access_log off;\n"
                      "    sendfile on;\n"
                      "    default_type application/octet-stream;\n"
                      "    client_body_temp_path " +
                      path(m_folder / "body") +
                      ";\n"
                      "    proxy_temp_path " +
                      path(m_folder / "proxy") +
                      ";\n"
                      "    fastcgi_temp_path " +
                      path(m_folder / "fastcgi") +
                      ";\n"
                      "    uwsgi_temp_path " +
                      path(m_folder / "uwsgi") +
                      ";\n"
                      "    scgi_temp_path " +
                      path(m_folder / "scgi") +
                      ";\n"
                      "    server {\n        listen 127.0.0.1:" +
                      std::to_string(m_httpPort) + ";\n" + server +
                      "    }\n"
                      "    server {\n        listen 127.0.0.1:" +
                      std::to_string(m_httpsPort) + " ssl;\n" + server + tls + "        ssl_certificate " +
                      path(m_certificates->serverCertificate()) +
                      ";\n    }\n"
                      "    server {\n        listen 127.0.0.1:" +
                      std::to_string(m_expiredPort) + " ssl;\n" + server + tls + "        ssl_certificate " +
                      path(m_certificates->expiredCertificate()) +
                      ";\n    }\n"
                      "}\n");
        m_process = std::make_unique<ChildProcess>(std::vector<std::string>{
            "nginx", "-p", m_folder.string(), "-c", (m_folder / "nginx.conf").string(), "-e",
            (m_folder / "error.log").string(), "-g", "daemon off;"});
        waitUntilReady(m_folder / "nginx.pid", {m_httpPort, m_httpsPort, m_expiredPort}, *m_process, "nginx");
    } catch (...) {
        m_process.reset();
        removeFolder(m_folder);
        throw;
    }
}

NginxServer::~NginxServer() {
    m_process.reset();
    removeFolder(m_folder);
}

std::string NginxServer::httpUrl(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_httpPort) + path;
}

std::string NginxServer::httpsUrl(const std::string& path) const {
    return "https://127.0.0.1:" + std::to_string(m_httpsPort) + path;
}

std::string NginxServer::expiredHttpsUrl(const std::string& path) const {
    return "https://127.0.0.1:" + std::to_string(m_expiredPort) + path;
}

std::string NginxServer::caBundle() const {
    return m_certificates->caBundle().string();
}

ForwardProxy::ForwardProxy(const std::string& user, const std::string& password)
    : m_folder(makeTempFolder("proxy")) {
    try {
        m_port = freeLoopbackPort();
        std::string config = "Port " + std::to_string(m_port) +
                             "\nListen 127.0.0.1\nTimeout 60\nMaxClients 50\nAllow 127.0.0.1\n"
                             "LogLevel Info\nLogFile \"" +
                             (m_folder / "tinyproxy.log").string() + "\"\nPidFile \"" +
                             (m_folder / "tinyproxy.pid").string() + "\"\n";
        if (!user.empty())
            config += "BasicAuth " + user + " " + password + "\n";
        writeText(m_folder / "tinyproxy.conf", config);
        m_process = std::make_unique<ChildProcess>(
            std::vector<std::string>{"tinyproxy", "-d", "-c", (m_folder / "tinyproxy.conf").string()});
        waitUntilReady(m_folder / "tinyproxy.pid", {m_port}, *m_process, "tinyproxy");
    } catch (...) {
        m_process.reset();
        removeFolder(m_folder);
        throw;
    }
}

ForwardProxy::~ForwardProxy() {
    m_process.reset();
    removeFolder(m_folder);
}

std::string ForwardProxy::address() const {
    return "127.0.0.1:" + std::to_string(m_port);
}
