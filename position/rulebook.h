#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "position/core/analysis.h"
#include "position/core/rulefile.h"

class ProgramFolder;

// The reader of a rule from a file: a page rule's steps and markers, or a JSON rule.
ResultReader readerFor(const EngineRuleFile& rule);

// The rules a run reads its engines' pages with: the file edata\NAME.rule where there is one,
// the built-in rule of the name otherwise. A file that is no rule keeps its engine out of the
// run; it never falls back to the built-in rule.
class RuleBook {
public:
    // Reads the rule file of each engine. Returns a message per file that cannot be used, naming
    // it, the line and why. Names that are no plain file names are left to the run's refusal.
    std::vector<std::string> load(const ProgramFolder& folder, const std::vector<std::string>& engines);

    // Why the engine is left out of this run; empty when it is not.
    std::string skipReason(const std::string& engine) const;

    // The engine's reader; nullptr when it has neither a rule file nor a built-in rule.
    const ResultReader* reader(const std::string& engine) const;

private:
    struct Entry {
        std::optional<ResultReader> reader;
        std::string skipReason;
    };
    std::map<std::string, Entry> m_entries;  // by the name as the run gives it
};

// The engines that have a rule file and a definition in edata\ (NAME.rule and NAME.hdf), in
// the order of their names: a user adds an engine by putting the two files there. A rule file
// whose name could not name an engine's files is left out with a message in `ignored`.
struct RuleFileEngines {
    std::vector<std::string> engines;
    std::vector<std::string> ignored;
};
RuleFileEngines ruleFileEngines(const ProgramFolder& folder);
