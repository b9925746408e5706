#pragma once

#include <string>
#include <string_view>

// An address split the way the HTTP client component shows it: escape sequences decoded, and
// everything empty (port 0) when the text is not an absolute address of a known scheme.
struct UrlParts {
    bool valid = false;
    std::string scheme;  // as written
    std::string host;    // without the brackets of an IPv6 literal
    int port = 0;        // the URL's port, else 80 for http and 443 for https
    std::string path;    // path, then the query or fragment part

    // What goes to the wire, built from the text as written (escapes kept, the characters a
    // request cannot carry percent-encoded, the fragment dropped).
    std::string requestUrl;
};

UrlParts splitUrl(std::string_view text);

// Percent-encodes the bytes an HTTP request target cannot carry (blanks, quotes, angle brackets,
// controls, bytes above 127, a "%" that starts no escape) and leaves escapes already present alone.
std::string encodeRequestTarget(std::string_view target);

// %XX becomes the byte it stands for; anything else is kept.
std::string decodeEscapes(std::string_view text);
