#pragma once

#include <optional>
#include <string>
#include <string_view>

class GridTable;

// The engine catalog "engines\engines.txt": a grid text file of two columns, the engine name and
// its manual submission page, one row per engine from row 0 on.
inline constexpr const char* kCatalogFile = "engines\\engines.txt";

// The submission page of the engine named name: column 1, trimmed, of the first row of the
// lookup table whose column 0, trimmed, equals name. Nothing when no row does.
std::optional<std::string> submissionPageOf(const GridTable& lookup, std::string_view name);
