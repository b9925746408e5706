#include "submission/core/profile.h"

#include <gtest/gtest.h>

#include "platform/core/gridfile.h"
#include "platform/core/programfolder.h"
#include "platform/tests/tempdir.h"

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

TEST(Profile, ASubmissionReadsItsValuesFromTheProjectsProfileFile) {
    TempDir dir;
    GridTable profile(2, 4);
    profile.setCell(0, 0, "Label");
    profile.setCell(0, 1, "First Name");
    profile.setCell(1, 1, " Ann ");
    profile.setCell(0, 2, "E-Mail Address");
    profile.setCell(1, 2, "ann@example.com");
    profile.setCell(0, 3, "Site Title");
    profile.setCell(1, 3, "Shoes\r\nand socks");
    writeGridFile(dir / "My Profiles" / "Shop.rpf", profile);
    ProgramFolder folder(dir.path());

    SubmissionProfile values = submissionProfile(readProjectProfile(folder, "Shop"));
    EXPECT_EQ(values.firstName, "Ann");
    EXPECT_EQ(values.email, "ann@example.com");
    EXPECT_EQ(values.siteTitle, "Shoes\r\nand socks");
    EXPECT_EQ(values.lastName, "");
    EXPECT_THROW(readProjectProfile(folder, "Other"), GridFileError);
}
