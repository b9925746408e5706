#pragma once

#include <string>
#include <string_view>

// IndexNow takes an announcement only from a site that publishes its key: a text file named after
// the key, holding the key, at the root of the site.

// Why a key is none IndexNow takes (8 to 128 characters, each a letter a-z or A-Z, a digit or
// "-"); empty when it is one.
std::string indexNowKeyProblem(std::string_view key);

// The name of the key file, "<key>.txt"; for a key indexNowKeyProblem has passed.
std::string indexNowKeyFileName(std::string_view key);
