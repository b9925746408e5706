#include "net/core/urlsplit.h"

#include "platform/core/text.h"

namespace {

bool isHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c - 'A' + 10;
}

bool isAlpha(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Characters a request target may carry as they are: unreserved, sub-delimiters, ":", "@", "/"
// and "?".
bool allowedInTarget(unsigned char c) {
    if (isAlpha(static_cast<char>(c)) || isDigit(static_cast<char>(c)))
        return true;
    static constexpr std::string_view kAllowed = "-._~!$&'()*+,;=:@/?";
    return kAllowed.find(static_cast<char>(c)) != std::string_view::npos;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// Schemes whose addresses have no "//host" part.
bool isOpaqueScheme(std::string_view scheme) {
    for (std::string_view s : {"mailto", "news", "javascript", "vbscript"}) {
        if (equalsIgnoringCase(scheme, s))
            return true;
    }
    return false;
}

bool isKnownScheme(std::string_view scheme) {
    if (isOpaqueScheme(scheme))
        return true;
    for (std::string_view s : {"http", "https", "ftp", "gopher", "file", "res", "socks"}) {
        if (equalsIgnoringCase(scheme, s))
            return true;
    }
    return false;
}

int defaultPort(std::string_view scheme) {
    if (equalsIgnoringCase(scheme, "http"))
        return 80;
    if (equalsIgnoringCase(scheme, "https"))
        return 443;
    if (equalsIgnoringCase(scheme, "ftp"))
        return 21;
    if (equalsIgnoringCase(scheme, "gopher"))
        return 70;
    return 0;
}

}  // namespace

std::string decodeEscapes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && isHex(text[i + 1]) && isHex(text[i + 2])) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string encodeRequestTarget(std::string_view target) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(target.size());
    for (size_t i = 0; i < target.size(); ++i) {
        auto c = static_cast<unsigned char>(target[i]);
        if (c == '%' && i + 2 < target.size() && isHex(target[i + 1]) && isHex(target[i + 2])) {
            out += target.substr(i, 3);
            i += 2;
        } else if (allowedInTarget(c)) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kDigits[c >> 4];
            out += kDigits[c & 15];
        }
    }
    return out;
}

UrlParts splitUrl(std::string_view text) {
    UrlParts parts;
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);

    size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || !isAlpha(text[0]))
        return parts;
    std::string_view scheme = text.substr(0, colon);
    for (char c : scheme) {
        if (!isAlpha(c) && !isDigit(c) && c != '+' && c != '-' && c != '.')
            return parts;
    }
    if (!isKnownScheme(scheme))
        return parts;
    std::string_view rest = text.substr(colon + 1);

    UrlParts split;
    split.valid = true;
    split.scheme = std::string(scheme);
    split.port = defaultPort(scheme);
    if (isOpaqueScheme(scheme) || rest.substr(0, 2) != "//") {
        split.path = decodeEscapes(rest);
        return split;
    }

    rest.remove_prefix(2);
    size_t authorityEnd = rest.find_first_of("/?#");
    std::string_view authority = rest.substr(0, authorityEnd);
    std::string_view pathAndExtra = authorityEnd == std::string_view::npos ? "" : rest.substr(authorityEnd);
    std::string_view userInfo;
    if (size_t at = authority.rfind('@'); at != std::string_view::npos) {
        userInfo = authority.substr(0, at + 1);
        authority.remove_prefix(at + 1);
    }

    std::string_view host = authority;
    std::string_view port;
    if (!authority.empty() && authority.front() == '[') {
        size_t close = authority.find(']');
        if (close == std::string_view::npos)
            return parts;
        host = authority.substr(1, close - 1);
        std::string_view after = authority.substr(close + 1);
        if (!after.empty()) {
            if (after.front() != ':')
                return parts;
            port = after.substr(1);
        }
    } else if (size_t portColon = authority.rfind(':'); portColon != std::string_view::npos) {
        host = authority.substr(0, portColon);
        port = authority.substr(portColon + 1);
    }
    if (!port.empty()) {
        if (port.size() > 5)
            return parts;
        int value = 0;
        for (char c : port) {
            if (!isDigit(c))
                return parts;
            value = value * 10 + (c - '0');
        }
        if (value < 1 || value > 65535)
            return parts;
        split.port = value;
    }

    split.host = decodeEscapes(host);
    split.path = decodeEscapes(pathAndExtra);

    std::string_view target = pathAndExtra.substr(0, pathAndExtra.find('#'));
    std::string wireTarget = encodeRequestTarget(target);
    if (wireTarget.empty() || wireTarget.front() != '/')
        wireTarget.insert(0, "/");
    std::string hostText = !authority.empty() && authority.front() == '['
                               ? std::string(authority.substr(0, authority.find(']') + 1))
                               : std::string(host);
    split.requestUrl = lowerAscii(scheme) + "://" + std::string(userInfo) + hostText;
    if (!port.empty())
        split.requestUrl += ":" + std::to_string(split.port);
    split.requestUrl += wireTarget;
    return split;
}
