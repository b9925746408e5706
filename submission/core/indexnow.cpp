#include "submission/core/indexnow.h"

#include <algorithm>

namespace {

constexpr size_t kShortestKey = 8;
constexpr size_t kLongestKey = 128;

bool isKeyCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
}

}  // namespace

std::string indexNowKeyProblem(std::string_view key) {
    if (key.empty())
        return "it is empty";
    // A key that names a file must never lead out of the folder it is written to: "/", "\" and
    // "." are no key characters, so no key does.
    auto bad = std::find_if_not(key.begin(), key.end(), isKeyCharacter);
    if (bad != key.end()) {
        const unsigned char c = static_cast<unsigned char>(*bad);
        const std::string shown = c >= 0x21 && c < 0x7f ? "\"" + std::string(1, *bad) + "\""
                                  : c == ' '            ? "a blank"
                                                        : "a byte " + std::to_string(c);
        return "it holds " + shown + "; a key has only letters a-z and A-Z, digits and \"-\"";
    }
    if (key.size() < kShortestKey || key.size() > kLongestKey) {
        return "it has " + std::to_string(key.size()) + " characters; a key has " +
               std::to_string(kShortestKey) + " to " + std::to_string(kLongestKey);
    }
    return {};
}

std::string indexNowKeyFileName(std::string_view key) {
    return std::string(key) + ".txt";
}
