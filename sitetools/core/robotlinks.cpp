#include "sitetools/core/robotlinks.h"

#include "platform/core/text.h"

#include <algorithm>

const RobotLinkRules& RobotLinkRules::browseVerification() {
    static const RobotLinkRules rules{
        .refusedSchemes = {"ftp:", "mailto:", "z3950s:", "z3950r:", "gopher:", "wais:", "news:"},
        .filtersAndCollects = true,
    };
    return rules;
}

const RobotLinkRules& RobotLinkRules::robotPathAnalysis() {
    static const RobotLinkRules rules{
        .refusedSchemes = {"ftp:", "mailto:"},
        .filtersAndCollects = false,
    };
    return rules;
}

std::string stripLinkPrefix(std::string_view href) {
    if (href.starts_with('/'))
        href.remove_prefix(1);
    if (href.starts_with("../"))
        href.remove_prefix(3);
    return std::string(href);
}

bool hasRefusedScheme(std::string_view link, const RobotLinkRules& rules) {
    return std::any_of(rules.refusedSchemes.begin(), rules.refusedSchemes.end(),
                       [&](const std::string& scheme) { return startsWithIgnoringCase(link, scheme); });
}

bool matchesExcludeList(std::string_view link, const std::vector<std::string>& excludeList) {
    size_t start = link.size() > 3 ? link.size() - 4 : 0;
    std::string_view tail = link.substr(start);
    for (const std::string& entry : excludeList) {
        // A blank line in the list would otherwise match every link and stop the whole browse.
        if (entry.empty())
            continue;
        if (equalsIgnoringCase(tail.substr(0, entry.size()), entry))
            return true;
    }
    return false;
}

bool hasFragmentOrQuery(std::string_view link) {
    return link.find_first_of("#?") != std::string_view::npos;
}

bool isAbsoluteLink(std::string_view link) {
    return startsWithIgnoringCase(link, "http:") || startsWithIgnoringCase(link, "https:");
}

std::string siteAddress(std::string_view scheme, std::string_view host, int port) {
    std::string site = std::string(scheme) + "://";
    bool ipv6 = host.find(':') != std::string_view::npos;
    site += ipv6 ? "[" + std::string(host) + "]" : std::string(host);
    int ownPort = equalsIgnoringCase(scheme, "https") ? 443 : 80;
    if (port > 0 && port != ownPort)
        site += ":" + std::to_string(port);
    return site;
}

std::string nodeAddress(std::string_view parent, std::string_view parentSite, std::string_view link) {
    if (isAbsoluteLink(link))
        return std::string(link);
    // A link that began with "//" still begins with "/" here.
    if (link.starts_with('/'))
        return std::string(parentSite) + std::string(link);
    std::string base(parent);
    // An address that ends in a page name (".htm" among its last five characters) stands for the
    // page's folder.
    size_t page = lowerAscii(base).rfind(".htm");
    if (page != std::string::npos && page + 5 >= base.size()) {
        size_t slash = base.rfind('/', page);
        base.erase(slash == std::string::npos ? 0 : slash + 1);
    }
    if (!base.ends_with('/') && !link.starts_with('#'))
        base += '/';
    return base + std::string(link);
}

Collection collectLink(std::string_view link, std::string_view site, std::string_view server, bool hostOnly,
                       const std::vector<std::string>& collected, std::string_view shownText) {
    Collection result;
    auto known = [&](std::string_view address) {
        return std::find(collected.begin(), collected.end(), address) != collected.end();
    };
    if (!isAbsoluteLink(link)) {
        result.address = std::string(site) + "/" + std::string(link);
        result.add = !known(result.address);
        result.showInText = result.add && shownText.find(link) == std::string_view::npos;
        return result;
    }
    result.address = std::string(link);
    if (known(link))
        return result;
    // Host names ignore letter case.
    result.add = !hostOnly || lowerAscii(link).find(lowerAscii(server)) != std::string::npos;
    result.showInText = result.add;
    return result;
}
