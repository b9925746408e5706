#pragma once

#include <string>
#include <vector>

struct ActiveProject;
struct SubmissionProfile;

// The lines of the report that shows, before a run, what will be submitted where: the project,
// its web path and the submitter, each missing value that would stop the run marked, then a
// block per page with the engines it goes to, in the order the run sends them.
std::vector<std::string> preSubmissionReport(const ActiveProject& project, const SubmissionProfile& profile,
                                             const std::vector<std::string>& pages,
                                             const std::vector<std::string>& engines);
