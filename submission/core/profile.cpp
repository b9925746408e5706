#include "submission/core/profile.h"

#include "platform/core/gridfile.h"
#include "platform/core/programfolder.h"
#include "platform/core/text.h"

std::string profileValue(const GridTable& profile, std::string_view label) {
    std::string value;
    if (profile.columnCount() < 2)
        return value;
    for (int row = 1; row < profile.rowCount(); ++row) {
        if (trimText(profile.cell(0, row)) == label)
            value = trimText(profile.cell(1, row));
    }
    return value;
}

SubmissionProfile submissionProfile(const GridTable& profile) {
    using namespace ProfileLabel;
    return {profileValue(profile, kFirstName),       profileValue(profile, kLastName),
            profileValue(profile, kEmail),           profileValue(profile, kCompany),
            profileValue(profile, kSiteDescription), profileValue(profile, kSiteTitle),
            profileValue(profile, kSiteKeyWords),    profileValue(profile, kIndexNowKey)};
}

GridTable readProjectProfile(const ProgramFolder& folder, std::string_view project) {
    GridTable profile;
    readGridFile(profile, folder.resolve("My Profiles\\" + std::string(project) + ".rpf"));
    return profile;
}
