#pragma once

#include <string>
#include <vector>

// The command-line modes. Each returns the exit status: 0 the job ran, 1 it failed or could not
// start, 2 bad arguments.
int analyzeCommand(const std::vector<std::string>& args, const char* argv0);
int checkCommand(const std::vector<std::string>& args, const char* argv0);
int batchCommand(const std::vector<std::string>& args, const char* argv0);
int historyCommand(const std::vector<std::string>& args, const char* argv0);
int updateEnginesCommand(const std::vector<std::string>& args, const char* argv0);

extern const char* const kAnalyzeUsage;
extern const char* const kCheckUsage;
extern const char* const kBatchUsage;
extern const char* const kUpdateUsage;
extern const char* const kHistoryUsage;
