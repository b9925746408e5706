#include "apps/ranqor/reportoutput.h"

#include <filesystem>

#include "platform/core/arguments.h"
#include "platform/core/commandline.h"
#include "platform/core/safefile.h"
#include "position/core/reportexport.h"
#include "position/core/reportfile.h"

namespace fs = std::filesystem;

namespace {

// Without a window there is no active window border; this is that border's usual grey.
const RgbColour kHeaderColour{0xB4, 0xB4, 0xB4};

ReportFormat formatOf(const std::string& file) {
    if (std::optional<ReportFormat> format = reportFormatOf(file))
        return *format;
    throw UsageError("--out must name a .prp, .csv or .html file");
}

}  // namespace

void checkReportOutput(const std::optional<std::string>& out, const std::vector<std::string>& inputs) {
    if (!out)
        return;
    formatOf(*out);
    std::error_code ec;
    for (const std::string& input : inputs) {
        if (fs::equivalent(*out, input, ec))
            throw UsageError("--out " + *out + " is an input file; the report would replace it");
    }
    const fs::path folder = fs::path(*out).parent_path();
    if (!folder.empty() && !fs::is_directory(folder, ec))
        throw FileError("the folder " + folder.string() + " for --out does not exist");
}

void writeReportOutput(const GridTable& report, const std::optional<std::string>& out) {
    if (out) {
        writeReportFile(*out, report, formatOf(*out), kHeaderColour);
        return;
    }
    writeStandardOutput(reportCsv(report));
}
