#include "position/reportprinter.h"

#include "platform/tests/pdftools.h"
#include "platform/tests/tempdir.h"
#include "position/core/reportgrid.h"

#include <gtest/gtest.h>
#include <QPrinter>
#include <QRegularExpression>

namespace {

class ReportPrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_report.reset("01/02/2024");
        m_report.appendEmptyRow();
        m_report.appendRow("Placement of precise matches for shoes", "http://www.example.com/");
        m_report.appendRow("Google result 1 *****", "http://www.example.com/shop");
        m_report.appendRow("Positioning Results:", "1 precise URL match was found for shoes on Google.");
    }

    // Prints into a PDF and returns the text of its pages.
    QStringList print(const GridTable& table) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(m_pdf.string()));
        EXPECT_TRUE(printReport(table, printer, m_when));
        EXPECT_TRUE(std::filesystem::exists(m_pdf));
        QStringList pages = pdfText(m_pdf).split(QChar('\f'));
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        return pages;
    }

    int pageCount() {
        QRegularExpressionMatch match = QRegularExpression("Pages:\\s+(\\d+)").match(pdfInfo(m_pdf));
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    }

    ReportGrid m_report;
    TempDir m_dir;
    std::filesystem::path m_pdf = m_dir / "report.pdf";
    QDateTime m_when{QDate(2023, 12, 25), QTime(13, 45, 7)};
};

}  // namespace

TEST_F(ReportPrinterTest, OnePageLandscapeWithDateTimeAndEveryCell) {
    QStringList pages = print(m_report.table());
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pageCount(), 1);
    for (const char* text :
         {"25/12/2023", "13:45:07", "Ranqor TM Report", "01/02/2024",
          "Placement of precise matches for shoes", "Google result 1 *****", "http://www.example.com/shop",
          "1 precise URL match was found for shoes on Google."}) {
        // Cells wrap within their column, so the text is compared with its line breaks as spaces.
        EXPECT_TRUE(pages[0].simplified().contains(QString::fromUtf8(text))) << text << "\n"
                                                                             << pages[0].toStdString();
    }
    // The date is above the table and the time below it.
    EXPECT_LT(pages[0].indexOf("25/12/2023"), pages[0].indexOf("Ranqor TM Report"));
    EXPECT_GT(pages[0].indexOf("13:45:07"), pages[0].indexOf("Positioning Results:"));

    QRegularExpressionMatch size =
        QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+)").match(pdfInfo(m_pdf));
    ASSERT_TRUE(size.hasMatch());
    EXPECT_GT(size.captured(1).toDouble(), size.captured(2).toDouble());
}

TEST_F(ReportPrinterTest, RowsThatDoNotFitContinueOnFurtherPagesUnderTheHeaderRow) {
    for (int i = 1; i <= 120; ++i)
        m_report.appendRow("Google result " + std::to_string(i), "http://site.example/" + std::to_string(i));
    QStringList pages = print(m_report.table());
    ASSERT_GE(pages.size(), 3);
    EXPECT_EQ(pageCount(), pages.size());
    for (const QString& page : pages) {
        EXPECT_TRUE(page.contains("25/12/2023"));
        EXPECT_TRUE(page.contains("13:45:07"));
        EXPECT_TRUE(page.contains("Ranqor TM Report"));
    }
    EXPECT_TRUE(pages.last().contains("http://site.example/120"));
    int printed = 0;
    for (const QString& page : pages)
        printed += static_cast<int>(page.count(QRegularExpression("Google result \\d+")));
    EXPECT_EQ(printed, 121);  // the report's own result row and the 120 added
}

TEST_F(ReportPrinterTest, MultiLineCellsPrintTheirLinesApart) {
    m_report.appendRow("first line\r\nsecond line", "x");
    QStringList pages = print(m_report.table());
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QRegularExpression("first line\\s*\\n.*second line")))
        << pages[0].toStdString();
}

TEST_F(ReportPrinterTest, OversizedGridsStillPrint) {
    GridTable& table = m_report.table();
    table.setColumnWidth(1, 20000);
    std::string tall;
    for (int i = 0; i < 200; ++i)
        tall += "line " + std::to_string(i) + "\r\n";
    m_report.appendRow(tall, "tall");
    m_report.appendRow("after the tall row", "");
    QStringList pages = print(table);
    ASSERT_GE(pages.size(), 2);
    EXPECT_TRUE(pages.join("").simplified().contains("Placement of precise matches for shoes"));
    EXPECT_TRUE(pages.last().simplified().contains("after the tall row"))
        << pages.join("\n----\n").toStdString();
}
