#pragma once

#include <string>
#include <string_view>
#include <vector>

// The search engines the interrogator can ask whether a page is listed, in the order of its
// choice, with the query page that asks it.
struct InterrogatedEngine {
    std::string name;
    std::string host;
    std::string before;  // the query page's path and query up to the address asked about
    std::string after;   // the rest of the query
};

const std::vector<InterrogatedEngine>& interrogatedEngines();

// The address that asks engine index about url. url goes in as typed, not encoded: it is what
// the engine's own search box would have been given. An index outside the list gives "".
std::string interrogationAddress(int index, std::string_view url);
