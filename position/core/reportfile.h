#pragma once

#include <filesystem>
#include <optional>

#include "platform/core/gridtable.h"
#include "position/core/reportexport.h"

// The three forms a report is saved in: the report file the program reads back, and the CSV and
// HTML exports.
enum class ReportFormat { Report, Csv, Html };

// The format a file's extension names: .prp, .csv, .html or .htm, in any letter case.
std::optional<ReportFormat> reportFormatOf(const std::filesystem::path& file);

// Writes the report to path in format, through a temporary file. headerColour is the HTML
// export's header background. Throws FileError.
void writeReportFile(const std::filesystem::path& path, const GridTable& report, ReportFormat format,
                     RgbColour headerColour);
