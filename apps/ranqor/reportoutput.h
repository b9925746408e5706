#pragma once

#include <optional>
#include <string>

class GridTable;

// Writes the report to the file the command line named, in the format its extension names
// (.prp, .csv, .html), or as CSV to standard output. Throws UsageError for another extension
// and FileError when the file cannot be written.
void writeReportOutput(const GridTable& report, const std::optional<std::string>& out);

// Checks the --out extension before any work is done. Throws UsageError.
void checkReportOutput(const std::optional<std::string>& out);
