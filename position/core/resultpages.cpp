#include "position/core/resultpages.h"

#include "platform/core/text.h"

namespace {

struct EnginePages {
    std::string_view name;
    int pages;
};

constexpr EnginePages kPages[] = {
    {"Altavista", 3},  {"Lycos", 3},    {"DirectHit", 3}, {"NorthernLight", 3},
    {"HotBot", 3},     {"Infoseek", 3}, {"Dmoz", 2},      {"AllTheWeb", 2},
    {"WebCrawler", 2}, {"Yahoo", 2},    {"Snap", 2},      {"IWon", 2},
    {"MSN", 1},        {"AOL", 1},      {"Excite", 1},    {"Google", 1},
};

std::string pageSuffix(int page) {
    return page <= 1 ? std::string() : std::to_string(page);
}

}  // namespace

int resultPageCount(std::string_view engine) {
    for (const EnginePages& e : kPages) {
        if (e.name == engine)
            return e.pages;
    }
    return 1;
}

bool isKnownResultEngine(std::string_view engine) {
    for (const EnginePages& e : kPages) {
        if (e.name == engine)
            return true;
    }
    return false;
}

std::string definitionFileName(std::string_view engine, int page) {
    return std::string(engine) + pageSuffix(page) + ".hdf";
}

std::string resultFileName(std::string_view engine, int page) {
    return std::string(engine) + pageSuffix(page) + ".ef";
}

std::string buildPageText(const std::vector<std::string>& resultFiles) {
    std::string text;
    for (const std::string& file : resultFiles)
        text += withCrLf(file);
    return text;
}
