#include "submission/core/profile.h"

#include <gtest/gtest.h>

TEST(Profile, ValuesAreTrimmedTheLaterRowWinsAndTheHeaderIsNoEntry) {
    GridTable profile(2, 5);
    profile.setCell(0, 0, "E-Mail Address");  // a header cell is never an entry
    profile.setCell(1, 0, "header@example.com");
    profile.setCell(0, 1, " E-Mail Address\t");
    profile.setCell(1, 1, "  first@example.com \r\n");
    profile.setCell(0, 2, "Site Title");
    profile.setCell(1, 2, "Shop");
    profile.setCell(0, 3, "E-Mail Address");
    profile.setCell(1, 3, "second@example.com");
    profile.setCell(0, 4, "e-mail address");  // labels are compared exactly
    profile.setCell(1, 4, "lower@example.com");
    EXPECT_EQ(profileValue(profile, ProfileLabel::kEmail), "second@example.com");
    EXPECT_EQ(profileValue(profile, ProfileLabel::kSiteTitle), "Shop");
    EXPECT_EQ(profileValue(profile, ProfileLabel::kCompany), "");
    EXPECT_EQ(profileValue(GridTable(), ProfileLabel::kCompany), "");
}
