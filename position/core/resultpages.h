#pragma once

#include <string>
#include <string_view>
#include <vector>

// How many result pages the run fetches for an engine (1 to 3), by its name exactly as written.
// A name the table does not know gets one page.
int resultPageCount(std::string_view engine);

// Whether the name is one the table lists; the others used to keep the previous page text.
bool isKnownResultEngine(std::string_view engine);

// File names below edata\ and Temp\ for page 1, 2 or 3 of an engine: "Google.hdf", "Google2.hdf".
std::string definitionFileName(std::string_view engine, int page);
std::string resultFileName(std::string_view engine, int page);

// The page text: the result files one after the other, every line break as CR LF, nothing in
// between, so the rules see page 2 right after page 1.
std::string buildPageText(const std::vector<std::string>& resultFiles);
