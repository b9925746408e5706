#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <filesystem>

// Output of a poppler tool (pdftotext, pdfinfo) run on a PDF file.
inline QString popplerOutput(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline QString pdfText(const std::filesystem::path& pdf) {
    return popplerOutput("pdftotext", {QString::fromStdString(pdf.string()), "-"});
}

inline QString pdfInfo(const std::filesystem::path& pdf) {
    return popplerOutput("pdfinfo", {QString::fromStdString(pdf.string())});
}
