#pragma once

#include <string>
#include <string_view>
#include <vector>

// Text in this system is bytes. Letter case is ASCII only: bytes above 127 belong to whatever
// code page the file was written in and are left alone.

std::string upperAscii(std::string_view text);
std::string lowerAscii(std::string_view text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);
bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);

// Every line break (CR LF, a lone LF, a lone CR) becomes CR LF.
std::string withCrLf(std::string_view text);

// Splits at CR, LF or CR LF; a break after the last line adds no empty line.
std::vector<std::string> splitLines(std::string_view text);

// Without the blanks and control characters (codes 0 to 32) at both ends.
std::string trimText(std::string_view text);
std::string_view trimmedView(std::string_view text);

std::string joinStrings(const std::vector<std::string>& parts, std::string_view separator);
