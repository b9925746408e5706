#include "submission/core/presubmissionreport.h"

#include <gtest/gtest.h>

#include "pageprep/core/projectcontext.h"
#include "submission/core/profile.h"

namespace {
using Lines = std::vector<std::string>;
const char* const kReview =
    "Review this report to review what you will be submitting and where you will be submitting.";
}  // namespace

TEST(PreSubmissionReport, TwoPagesToThreeEngines) {
    ActiveProject project{"Shop", "http://www.shop.com", WebType::Net, "Travel"};
    SubmissionProfile profile;
    profile.firstName = "Ann";
    profile.lastName = "Smith";
    profile.email = "ann@example.com";
    EXPECT_EQ(preSubmissionReport(project, profile, {"C:\\web\\index.htm", "sub/b.htm"}, {"A", "B", "C"}),
              (Lines{"",
                     "",
                     kReview,
                     "",
                     "",
                     "Active Project: Shop",
                     "Web Base Address: http://www.shop.com",
                     "",
                     "",
                     "Personalization",
                     "",
                     "Name: Ann Smith",
                     "E-Mail: ann@example.com",
                     "",
                     "Submitting File",
                     "",
                     "http://www.shop.com/index.htm",
                     "",
                     "",
                     "to: A",
                     "to: B",
                     "to: C",
                     " ",
                     " ",
                     "Submitting File",
                     "",
                     "http://www.shop.com/sub/b.htm",
                     "",
                     "",
                     "to: A",
                     "to: B",
                     "to: C",
                     " ",
                     " "}));
}

TEST(PreSubmissionReport, MissingValuesThatStopARunAreMarked) {
    ActiveProject project{"Shop", "", WebType::Net, ""};
    SubmissionProfile profile;  // no name, no e-mail address
    EXPECT_EQ(
        preSubmissionReport(project, profile, {}, {"A"}),
        (Lines{"", "", kReview, "", "", "Active Project: Shop", "Web Base Address: ",
               "Web Base Address: NO VALUE EXIST, Submission will not be possible", "", "", "Personalization",
               "", "Name:  ", "E-Mail: ", "E-Mail: NO VALUE EXIST, Submission will not be possible", ""}));
}
