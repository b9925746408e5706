#pragma once

#include <optional>
#include <string>
#include <vector>

class GridTable;

// Checks --out before any work is done: its extension must name a report format (.prp, .csv,
// .html) and it must be none of the command's input files, or UsageError is thrown; its folder
// must exist, or FileError is thrown (a report is never left in a folder made by mistake).
void checkReportOutput(const std::optional<std::string>& out, const std::vector<std::string>& inputs);

// Writes the report to the file --out named, in the format its extension names, or as CSV to
// standard output. Throws FileError when the file or standard output cannot be written.
void writeReportOutput(const GridTable& report, const std::optional<std::string>& out);
