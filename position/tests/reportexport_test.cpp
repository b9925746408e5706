#include "position/core/reportexport.h"

#include "position/core/reportgrid.h"

#include <gtest/gtest.h>

namespace {

// A report as a run leaves it: header cells, a separator, a heading, one result and the summary.
ReportGrid sampleReport() {
    ReportGrid report;
    report.reset("01/02/2024");
    report.appendEmptyRow();
    report.appendRow("Placement of precise matches for shoes", "http://www.example.com/");
    report.appendRow("Google result 1", "http://www.example.com/");
    report.appendRow("Positioning Results:", "1 precise URL match was found for shoes, boots on Google.");
    return report;
}

}  // namespace

TEST(ReportCsv, OneLinePerRowWithEmptyCellsAsTwoQuotes) {
    EXPECT_EQ(reportCsv(sampleReport().table()),
              "Ranqor TM Report,01/02/2024\r\n"
              "\"\",\"\"\r\n"
              "Placement of precise matches for shoes,http://www.example.com/\r\n"
              "Google result 1,http://www.example.com/\r\n"
              "Positioning Results:,\"1 precise URL match was found for shoes, boots on Google.\"\r\n"
              "\"\",\"\"\r\n");
}

TEST(ReportCsv, CellsAreQuotedWhenTheyMustBe) {
    struct Case {
        const char* cell;
        const char* written;
    } cases[] = {
        {"plain text", "plain text"},
        {"", "\"\""},
        {"a,b", "\"a,b\""},
        {"two\r\nlines", "\"two\nlines\""},
        {"lone\nfeed", "\"lone\nfeed\""},
        {"lone\rreturn", "\"lone\rreturn\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"\"", "\"\"\"\""},
        {"a,\"b\"\r\nc", "\"a,\"\"b\"\"\nc\""},
        // What a spreadsheet would take for a formula starts with a quote mark.
        {"=HYPERLINK(\"http://evil.example/\")", "\"'=HYPERLINK(\"\"http://evil.example/\"\")\""},
        {"+1", "'+1"},
        {"-cmd|' /C calc'!A0", "'-cmd|' /C calc'!A0"},
        {"@SUM(A1:A9)", "'@SUM(A1:A9)"},
        {"=1,2", "\"'=1,2\""},
        {"a=b", "a=b"},
        {" =1", " =1"},
    };
    for (const Case& c : cases) {
        GridTable table(2, 1);
        table.setCell(1, 0, c.cell);
        EXPECT_EQ(reportCsv(table), std::string("\"\",") + c.written + "\r\n") << c.cell;
    }
}

TEST(ReportHtml, WritesTheDocumentedTable) {
    EXPECT_EQ(reportHtml(sampleReport().table(), {0xD4, 0x0A, 0xC8}),
              "<table border=1>\r\n"
              "<tr>\r\n"
              "<td nowrap BGCOLOR=\"#D40AC8\"><B>Ranqor TM Report</B></td>\r\n"
              "<td nowrap BGCOLOR=\"#D40AC8\"><B>01/02/2024</B></td>\r\n"
              "</tr>\r\n"
              "<tr>\r\n<td nowrap><br></td>\r\n<td nowrap><br></td>\r\n</tr>\r\n"
              "<tr>\r\n"
              "<td nowrap>Placement of precise matches for shoes</td>\r\n"
              "<td nowrap><A HREF=\"http://www.example.com/\">http://www.example.com/</A></td>\r\n"
              "</tr>\r\n"
              "<tr>\r\n"
              "<td nowrap>Google result 1</td>\r\n"
              "<td nowrap><A HREF=\"http://www.example.com/\">http://www.example.com/</A></td>\r\n"
              "</tr>\r\n"
              "<tr>\r\n"
              "<td nowrap>Positioning Results:</td>\r\n"
              "<td nowrap>1 precise URL match was found for shoes, boots on Google.</td>\r\n"
              "</tr>\r\n"
              "<tr>\r\n<td nowrap><br></td>\r\n<td nowrap><br></td>\r\n</tr>\r\n"
              "</table><p>\r\n");
}

TEST(ReportHtml, CellTextIsEscapedAndLinksQuoted) {
    struct Case {
        const char* cell;
        const char* written;
    } cases[] = {
        {"a\r\nb", "a<br>\nb"},
        {"a\nb", "a\nb"},
        {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
        {"Tom & \"Jerry\"", "Tom &amp; &quot;Jerry&quot;"},
        {"HTTPS://x.com/", "<A HREF=\"HTTPS://x.com/\">HTTPS://x.com/</A>"},
        // Only web addresses are links; a page may put anything where an address belongs.
        {"javascript://%0Aalert(1)", "javascript://%0Aalert(1)"},
        {"JavaScript:alert('http://x.com/')", "JavaScript:alert('http://x.com/')"},
        {"data:text/html,<script>", "data:text/html,&lt;script&gt;"},
        {"mailto:me@example.com", "mailto:me@example.com"},
        {"see http://x.com/", "see http://x.com/"},
        {"http://x.com/?a=1&b=\"><script>",
         "<A HREF=\"http://x.com/?a=1&amp;b=&quot;&gt;&lt;script&gt;\">"
         "http://x.com/?a=1&amp;b=&quot;&gt;&lt;script&gt;</A>"},
        {"http://x.com/\r\nmore", "<A HREF=\"http://x.com/more\">http://x.com/<br>\nmore</A>"},
    };
    for (const Case& c : cases) {
        GridTable table(1, 2);
        table.setCell(0, 1, c.cell);
        std::string html = reportHtml(table, {});
        std::string expected = std::string("<td nowrap>") + c.written + "</td>\r\n";
        EXPECT_NE(html.find(expected), std::string::npos) << c.cell << "\n" << html;
    }
    GridTable header(1, 1);
    header.setCell(0, 0, "<b>");
    EXPECT_NE(reportHtml(header, {}).find("<td nowrap BGCOLOR=\"#000000\"><B>&lt;b&gt;</B></td>"),
              std::string::npos);
}
