#include "position/rulebook.h"

#include <algorithm>
#include <system_error>

#include "platform/core/programfolder.h"
#include "platform/core/safefile.h"
#include "platform/core/text.h"
#include "position/jsonresults.h"

namespace fs = std::filesystem;

namespace {

const std::string kRuleExtension = ".rule";

std::string ruleFileName(const std::string& engine) {
    return "edata\\" + engine + kRuleExtension;
}

}  // namespace

ResultReader readerFor(const EngineRuleFile& rule) {
    if (const JsonRule* json = std::get_if<JsonRule>(&rule)) {
        return {json->displayName, [json = *json](std::string_view page, std::vector<std::string>& notes) {
                    return jsonRuleRows(json, page, notes);
                }};
    }
    const PageRule& page = std::get<PageRule>(rule);
    return {page.displayName,
            [page](std::string_view text, std::vector<std::string>&) { return pageRuleRows(page, text); }};
}

std::vector<std::string> RuleBook::load(const ProgramFolder& folder,
                                        const std::vector<std::string>& engines) {
    m_entries.clear();
    std::vector<std::string> messages;
    for (const std::string& engine : engines) {
        if (m_entries.contains(engine) || !isPlainName(engine))
            continue;
        Entry& entry = m_entries[engine];
        const fs::path path = folder.resolve(ruleFileName(engine));
        std::error_code ec;
        if (!fs::exists(path, ec)) {
            entry.reader = builtInReader(engine);
            continue;
        }
        std::string why;
        try {
            RuleFileReading reading = readRuleFile(readFileBytes(path));
            if (reading.ok()) {
                entry.reader = readerFor(reading.rule);
                continue;
            }
            why =
                (reading.errorLine > 0 ? "line " + std::to_string(reading.errorLine) + ": " : std::string()) +
                reading.error;
        } catch (const FileError& e) {
            why = e.what();
        }
        entry.skipReason = "The engine rule " + path.string() + " cannot be used (" + why + "); " + engine +
                           " is left out of this run.";
        messages.push_back(entry.skipReason);
    }
    return messages;
}

std::string RuleBook::skipReason(const std::string& engine) const {
    auto found = m_entries.find(engine);
    return found == m_entries.end() ? std::string() : found->second.skipReason;
}

const ResultReader* RuleBook::reader(const std::string& engine) const {
    auto found = m_entries.find(engine);
    if (found == m_entries.end() || !found->second.reader)
        return nullptr;
    return &*found->second.reader;
}

RuleFileEngines ruleFileEngines(const ProgramFolder& folder) {
    RuleFileEngines found;
    const fs::path edata = folder.resolve("edata");
    std::error_code ec;
    for (fs::directory_iterator it(edata, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& file = it->path();
        std::error_code typeError;
        if (!it->is_regular_file(typeError) || !equalsIgnoringCase(file.extension().string(), kRuleExtension))
            continue;
        const std::string engine = file.stem().string();
        if (!isPlainName(engine)) {
            found.ignored.push_back(
                "The engine rule " + file.string() +
                " is ignored: an engine name must not contain \"\\\", \"/\" or \"..\", since it "
                "names the engine's files in edata and Temp.");
            continue;
        }
        if (fs::exists(folder.resolve("edata\\" + engine + ".hdf"), typeError))
            found.engines.push_back(engine);
    }
    std::sort(found.engines.begin(), found.engines.end());
    std::sort(found.ignored.begin(), found.ignored.end());
    return found;
}
