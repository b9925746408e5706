#pragma once

#include <string>
#include <vector>

// The command-line modes. Each returns the exit status: 0 the job ran, 1 it failed or could not
// start; bad arguments throw UsageError (status 2).
int projectsCommand(const std::vector<std::string>& args, const char* argv0);
int updateEnginesCommand(const std::vector<std::string>& args, const char* argv0);
int readinessCommand(const std::vector<std::string>& args, const char* argv0);
int submitCommand(const std::vector<std::string>& args, const char* argv0);
int verifyCommand(const std::vector<std::string>& args, const char* argv0);
int indexNowKeyCommand(const std::vector<std::string>& args, const char* argv0);

extern const char* const kProjectsUsage;
extern const char* const kUpdateUsage;
extern const char* const kReadinessUsage;
extern const char* const kSubmitUsage;
extern const char* const kVerifyUsage;
extern const char* const kIndexNowKeyUsage;
