#pragma once

#include <string>
#include <string_view>

#include "platform/core/gridtable.h"

class ProgramFolder;

// A project's profile: a grid of two columns, row 0 a header, then one row per entry with its
// label in column 0 and its value in column 1. These are the labels the tool reads; others are
// kept and shown but nothing reads them.
namespace ProfileLabel {
inline constexpr const char* kFirstName = "First Name";
inline constexpr const char* kLastName = "Last Name";
inline constexpr const char* kEmail = "E-Mail Address";
inline constexpr const char* kCompany = "Company Name";
inline constexpr const char* kSiteDescription = "Site Description";
inline constexpr const char* kSiteTitle = "Site Title";
inline constexpr const char* kSiteKeyWords = "Site Key Words";
// The key a site publishes for IndexNow; profiles made before it have no such row.
inline constexpr const char* kIndexNowKey = "IndexNow Key";
}  // namespace ProfileLabel

// The trimmed value of the row whose trimmed label equals label exactly; when the label occurs
// twice the later row wins. Empty when no row has it.
std::string profileValue(const GridTable& profile, std::string_view label);

// The values a submission reads from the profile, each as profileValue gives it.
struct SubmissionProfile {
    std::string firstName;
    std::string lastName;
    std::string email;
    std::string company;
    std::string siteDescription;
    std::string siteTitle;
    std::string siteKeyWords;
    std::string indexNowKey{};
};

SubmissionProfile submissionProfile(const GridTable& profile);

// The profile of the project named project: "My Profiles\" + project + ".rpf". Throws
// GridFileError with the message the user is shown when it cannot be read.
GridTable readProjectProfile(const ProgramFolder& folder, std::string_view project);
