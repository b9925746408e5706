#pragma once

#include <functional>
#include <string>

// How one request reaches its server: straight, or through a proxy. Decided before the request
// starts, so the component knows whose name it looks up and to whom it offers the credentials.
struct ProxyPlan {
    bool viaProxy = false;
    std::string proxy;      // as handed to the transfer: [scheme://]host[:port]
    std::string proxyHost;  // the proxy's host name or address
};

using EnvironmentLookup = std::function<const char*(const char*)>;

// ProxyBypass "*" means direct. Otherwise, when ProxyServer or ProxyBypass is set, the named
// proxy is used unless the host matches a bypass entry (entries separated by ";", "," or blanks;
// "*" and "?" wildcards; "<local>" for names without a dot); a bypass list without a proxy server
// leaves nothing to go through, so the request goes direct. With neither set, the system's
// proxy environment applies (http_proxy, https_proxy, all_proxy, no_proxy, as libcurl reads them).
ProxyPlan planProxy(const std::string& proxyServer, const std::string& proxyBypass, const std::string& scheme,
                    const std::string& host, const EnvironmentLookup& environment);

bool matchesProxyBypass(const std::string& bypassList, const std::string& host);
bool matchesNoProxy(const std::string& noProxyList, const std::string& host);

// The host part of a proxy text such as "http://user@10.0.0.1:8080" or "[::1]:3128".
std::string proxyHostOf(const std::string& proxy);
