#pragma once

#include <QApplication>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <filesystem>

// The one application object widgets need; made on first use and kept for the whole run.
inline void ensureApplication() {
    if (QApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "position_report_window_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

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
