#include "net/core/proxyplan.h"

#include <string_view>
#include <vector>

#include "platform/core/text.h"

namespace {

std::vector<std::string> splitList(const std::string& list, std::string_view separators) {
    std::vector<std::string> entries;
    std::string current;
    for (char c : list) {
        if (separators.find(c) != std::string_view::npos) {
            if (!current.empty())
                entries.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        entries.push_back(current);
    return entries;
}

bool wildcardMatch(std::string_view pattern, std::string_view text) {
    size_t p = 0, t = 0, starP = std::string_view::npos, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starT = t;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || equalsIgnoringCase(pattern.substr(p, 1), text.substr(t, 1)))) {
            ++p;
            ++t;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::string withoutTrailingDot(std::string host) {
    if (!host.empty() && host.back() == '.')
        host.pop_back();
    return host;
}

const char* firstSet(const EnvironmentLookup& environment, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        const char* value = environment(name);
        if (value && *value)
            return value;
    }
    return nullptr;
}

}  // namespace

bool matchesProxyBypass(const std::string& bypassList, const std::string& host) {
    for (std::string entry : splitList(bypassList, "; ,\t\r\n")) {
        if (equalsIgnoringCase(entry, "<local>")) {
            if (host.find('.') == std::string::npos && host.find(':') == std::string::npos)
                return true;
            continue;
        }
        if (size_t scheme = entry.find("://"); scheme != std::string::npos)
            entry.erase(0, scheme + 3);
        if (wildcardMatch(entry, host))
            return true;
    }
    return false;
}

bool matchesNoProxy(const std::string& noProxyList, const std::string& host) {
    std::string name = withoutTrailingDot(host);
    for (std::string entry : splitList(noProxyList, ", \t")) {
        if (entry == "*")
            return true;
        if (entry.front() == '.')
            entry.erase(0, 1);
        entry = withoutTrailingDot(entry);
        if (entry.empty())
            continue;
        if (equalsIgnoringCase(name, entry))
            return true;
        if (name.size() > entry.size() && name[name.size() - entry.size() - 1] == '.' &&
            equalsIgnoringCase(std::string_view(name).substr(name.size() - entry.size()), entry)) {
            return true;
        }
    }
    return false;
}

std::string proxyHostOf(const std::string& proxy) {
    std::string_view rest = proxy;
    if (size_t scheme = rest.find("://"); scheme != std::string_view::npos)
        rest.remove_prefix(scheme + 3);
    rest = rest.substr(0, rest.find('/'));
    if (size_t at = rest.rfind('@'); at != std::string_view::npos)
        rest.remove_prefix(at + 1);
    if (!rest.empty() && rest.front() == '[')
        return std::string(rest.substr(1, rest.find(']') - 1));
    return std::string(rest.substr(0, rest.find(':')));
}

ProxyPlan planProxy(const std::string& proxyServer, const std::string& proxyBypass, const std::string& scheme,
                    const std::string& host, const EnvironmentLookup& environment) {
    ProxyPlan plan;
    if (proxyBypass == "*")
        return plan;
    if (!proxyServer.empty() || !proxyBypass.empty()) {
        std::string server = proxyServer;
        while (!server.empty() && (server.back() == ' ' || server.back() == '\t'))
            server.pop_back();
        while (!server.empty() && (server.front() == ' ' || server.front() == '\t'))
            server.erase(0, 1);
        if (server.empty() || matchesProxyBypass(proxyBypass, host))
            return plan;
        plan.viaProxy = true;
        plan.proxy = server;
        plan.proxyHost = proxyHostOf(server);
        return plan;
    }

    const char* proxy = equalsIgnoringCase(scheme, "https")
                            ? firstSet(environment, {"https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
                            : firstSet(environment, {"http_proxy", "all_proxy", "ALL_PROXY"});
    if (!proxy)
        return plan;
    if (const char* noProxy = firstSet(environment, {"no_proxy", "NO_PROXY"});
        noProxy && matchesNoProxy(noProxy, host)) {
        return plan;
    }
    plan.viaProxy = true;
    plan.proxy = proxy;
    plan.proxyHost = proxyHostOf(proxy);
    return plan;
}
