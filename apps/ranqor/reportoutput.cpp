#include "apps/ranqor/reportoutput.h"

#include <filesystem>
#include <iostream>

#include "platform/core/arguments.h"
#include "platform/core/gridfile.h"
#include "platform/core/safefile.h"
#include "platform/core/text.h"
#include "position/core/reportexport.h"

namespace {

enum class Format { Report, Csv, Html };

Format formatOf(const std::string& file) {
    std::string extension = lowerAscii(std::filesystem::path(file).extension().string());
    if (extension == ".prp")
        return Format::Report;
    if (extension == ".csv")
        return Format::Csv;
    if (extension == ".html" || extension == ".htm")
        return Format::Html;
    throw UsageError("--out must name a .prp, .csv or .html file");
}

// Without a window there is no active window border; this is that border's usual grey.
const RgbColour kHeaderColour{0xB4, 0xB4, 0xB4};

}  // namespace

void checkReportOutput(const std::optional<std::string>& out) {
    if (out)
        formatOf(*out);
}

void writeReportOutput(const GridTable& report, const std::optional<std::string>& out) {
    if (!out) {
        std::cout << reportCsv(report) << std::flush;
        return;
    }
    switch (formatOf(*out)) {
        case Format::Report:
            writeGridFile(*out, report);
            break;
        case Format::Csv:
            writeFileAtomically(*out, reportCsv(report));
            break;
        case Format::Html:
            writeFileAtomically(*out, reportHtml(report, kHeaderColour));
            break;
    }
}
