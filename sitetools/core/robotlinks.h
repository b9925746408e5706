#pragma once

#include <string>
#include <string_view>
#include <vector>

// The string side of the robot path analysis: how a link found on a page is read, whether it is
// followed and collected, and which address its tree node carries.

// What a robot path window tests before it follows a link.
struct RobotLinkRules {
    // Links beginning with one of these (compared lower-cased) get a node and nothing more.
    std::vector<std::string> refusedSchemes;
    // The exclude list, fragment and query tests and the collecting of addresses.
    bool filtersAndCollects = true;

    static const RobotLinkRules& browseVerification();
    static const RobotLinkRules& robotPathAnalysis();
};

// One leading "/" goes, then one leading "../".
std::string stripLinkPrefix(std::string_view href);

bool hasRefusedScheme(std::string_view link, const RobotLinkRules& rules);

// An entry matches when the part of link starting at its fourth character from the end (or at
// its start, for a shorter link), as long as the entry, equals the entry without regard to case.
// So ".gif" matches links ending in .gif, while entries longer than four characters never match.
bool matchesExcludeList(std::string_view link, const std::vector<std::string>& excludeList);

bool hasFragmentOrQuery(std::string_view link);

// A link beginning with "http:" or "https:" (any case) names its address itself; anything else
// is read as relative to the page.
bool isAbsoluteLink(std::string_view link);

// scheme://host, with the port when it is not the scheme's own, so addresses built on it reach
// the same server as the page they were found on.
std::string siteAddress(std::string_view scheme, std::string_view host, int port);

// The address a link's tree node carries. parent is the address of the page the link was found
// on; parentSite is siteAddress of that page, used for links that began with "//".
std::string nodeAddress(std::string_view parent, std::string_view parentSite, std::string_view link);

// What collecting one link does to the collected-address list and its text area.
struct Collection {
    bool add = false;         // append address to the list
    bool showInText = false;  // and a line with it to the text area
    std::string address;
};

// A relative link is collected against the site's root (site + "/" + link); an absolute one as
// written, and only when it names server if hostOnly. Addresses already collected are not added
// again. shownText is the text area's present text: a relative link is not shown when it already
// occurs anywhere in it.
Collection collectLink(std::string_view link, std::string_view site, std::string_view server, bool hostOnly,
                       const std::vector<std::string>& collected, std::string_view shownText);
