#include "position/core/reportfile.h"

#include "platform/core/gridfile.h"
#include "platform/core/safefile.h"
#include "platform/core/text.h"

std::optional<ReportFormat> reportFormatOf(const std::filesystem::path& file) {
    const std::string extension = lowerAscii(file.extension().string());
    if (extension == ".prp")
        return ReportFormat::Report;
    if (extension == ".csv")
        return ReportFormat::Csv;
    if (extension == ".html" || extension == ".htm")
        return ReportFormat::Html;
    return std::nullopt;
}

void writeReportFile(const std::filesystem::path& path, const GridTable& report, ReportFormat format,
                     RgbColour headerColour) {
    switch (format) {
        case ReportFormat::Report:
            writeGridFile(path, report);
            break;
        case ReportFormat::Csv:
            writeFileAtomically(path, reportCsv(report));
            break;
        case ReportFormat::Html:
            writeFileAtomically(path, reportHtml(report, headerColour));
            break;
    }
}
