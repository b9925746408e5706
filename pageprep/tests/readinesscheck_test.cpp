#include "pageprep/core/readinesscheck.h"

#include <gtest/gtest.h>

#include "pageprep/core/readinessreport.h"

namespace {

std::string reportText(const std::vector<std::string>& report) {
    std::string text;
    for (const std::string& line : report)
        text += line + "\n";
    return text;
}

const std::string Page =
    "<html><head><title>Garden Tools</title>\n"
    "<meta name=\"description\" content=\"Tools for your garden\">\n"
    "<meta name=\"keywords\" content=\"garden, tools\">\n"
    "</head><body>Garden tools for every garden.</body></html>";

TEST(ReadinessCommand, PrintsTheValuesThenTheReport) {
    const ReadinessCommandResult result = runReadinessCommand("pages/a.htm", Page);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.output,
              "Title: Garden Tools\nDescription: Tools for your garden\nKeywords: garden, tools\n" +
                  reportText(buildReadinessReport("garden, tools", "Tools for your garden", Page)));
    EXPECT_NE(result.output.find("\ngarden - 2 \ntools - 1 \n"), std::string::npos);
}

TEST(ReadinessCommand, ReportsAnUnreadablePageWithoutAReport) {
    const ReadinessCommandResult result = runReadinessCommand("missing.htm", std::nullopt);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.output,
              "Title: \nDescription: \nKeywords: \nMessage: Could not Load File, Error 101!\n");
}

TEST(ReadinessCommand, ShowsAHeadFaultAndStillReports) {
    struct Case {
        std::string page, values;
    };
    const Case cases[] = {
        {"<html><head><title>Kept</title><style>p{}</head><body>garden</body>",
         "Title: Kept\nDescription: \nKeywords: \nMessage: The File 'dir/p q.htm' is not a valid HTML 3.2 "
         "File\\r(Invalid Usage in HEAD, Missing '</STYLE>' Tag - Cannot Continue!)\n"},
        {"<html><head><title></title></head><body>",
         "Title: \nDescription: \nKeywords: \nMessage: Title Tag used improperly (Missing 'Content') The "
         "title "
         "tag requires some content to be a useful addition!  e.g. My Home Page please update this file "
         "before "
         "submitting it to the search engines for ranking! \\r\\nFile name = dir/p q.htm\n"},
        // A title without its end tag runs to the end of the head, line breaks and all.
        {"<html><head><title>Open\n<script></head><body>",
         "Title: Open\\r\\n<script></head>\nDescription: \nKeywords: \nMessage: The File 'dir/p q.htm' is "
         "not a "
         "valid HTML 3.2 File\\r(Invalid Usage in HEAD, Missing '</SCRIPT>' Tag - Cannot Continue!)\n"},
    };
    for (const Case& c : cases) {
        const ReadinessCommandResult result = runReadinessCommand("dir/p q.htm", c.page);
        EXPECT_EQ(result.exitStatus, 0);
        EXPECT_EQ(result.output, c.values + reportText(buildReadinessReport("", "", c.page)));
    }
}

TEST(ReadinessCommand, EndsWithoutAReportAfterTheGeneralError) {
    const ReadinessCommandResult result = runReadinessCommand(
        "p.htm", "<head><title>T</title><meta\t=\"keywords\" content=\"k\"></head><body>");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.output, "Title: T\nDescription: \nKeywords: \nMessage: not valid meta tag\n");
}

TEST(CheckPageReadiness, TellsTheFaultKindsApart) {
    EXPECT_EQ(checkPageReadiness("p", Page).fault, ReadinessFault::None);
    EXPECT_EQ(checkPageReadiness("p", std::nullopt).fault, ReadinessFault::Unreadable);
    EXPECT_EQ(checkPageReadiness("p", std::string("<head></head>")).fault, ReadinessFault::HeadFault);
    const ReadinessCheck general =
        checkPageReadiness("p", std::string("<head><title>T</title><metax=\"keywords\"></head><body>"));
    EXPECT_EQ(general.fault, ReadinessFault::GeneralError);
    EXPECT_FALSE(general.report.has_value());
}

}  // namespace
