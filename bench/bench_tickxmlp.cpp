// TickXMLp throughput over real HTML pages, against libxml2's HTML push parser with SAX callbacks
// and a plain byte loop, all on the same bytes in the same run.
//   bench_tickxmlp [folder]     default folder: /usr/share/doc/git-doc (bench/setup installs it)

#include "sitetools/core/tickxmlp.h"

#include "bench/htmlcorpus.h"

#include <libxml/HTMLparser.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr std::size_t PieceSize = 32000;
constexpr int Repetitions = 7;

// What the handlers of both parsers do: count events and the bytes of text they see, so no
// parser's work can be optimised away and the two runs can be compared for plausibility.
struct Tally {
    std::uint64_t elements = 0;
    std::uint64_t attributes = 0;
    std::uint64_t textBytes = 0;
    std::uint64_t lessThans = 0;
};

Tally runTickXMLp(const std::vector<std::string>& pages) {
    Tally tally;
    TickXMLp parser;
    auto element = [&tally](TickXMLp* sender, const std::string&) {
        ++tally.elements;
        tally.attributes += sender->AttrCount();
    };
    parser.OnBeginElement = element;
    parser.OnEmptyElement = element;
    parser.OnEndElement = [&tally](TickXMLp*, const std::string&) { ++tally.elements; };
    parser.OnText = [&tally](TickXMLp*, const std::string& text) { tally.textBytes += text.size(); };
    for (const std::string& page : pages) {
        parser.Reset(true);
        for (std::size_t at = 0; at < page.size(); at += PieceSize) {
            parser.Input(std::string_view(page).substr(at, PieceSize));
        }
        parser.Reset(true);
    }
    return tally;
}

void quiet(void*, const char*, ...) {}

Tally runLibxml2(const std::vector<std::string>& pages) {
    Tally tally;
    htmlSAXHandler sax{};
    sax.startElement = [](void* context, const xmlChar*, const xmlChar** attributes) {
        auto* t = static_cast<Tally*>(context);
        ++t->elements;
        for (; attributes && attributes[0]; attributes += 2) {
            ++t->attributes;
        }
    };
    sax.endElement = [](void* context, const xmlChar*) { ++static_cast<Tally*>(context)->elements; };
    sax.characters = [](void* context, const xmlChar*, int length) {
        static_cast<Tally*>(context)->textBytes += length;
    };
    sax.ignorableWhitespace = sax.characters;
    sax.warning = quiet;
    sax.error = quiet;
    for (const std::string& page : pages) {
        htmlParserCtxtPtr context =
            htmlCreatePushParserCtxt(&sax, &tally, nullptr, 0, nullptr, XML_CHAR_ENCODING_NONE);
        htmlCtxtUseOptions(context, HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET);
        for (std::size_t at = 0; at < page.size(); at += PieceSize) {
            const auto size = static_cast<int>(std::min(PieceSize, page.size() - at));
            htmlParseChunk(context, page.data() + at, size, 0);
        }
        htmlParseChunk(context, nullptr, 0, 1);
        htmlFreeParserCtxt(context);
    }
    return tally;
}

// The memory-bandwidth reference: a plain loop that looks at every byte.
Tally runByteScan(const std::vector<std::string>& pages) {
    std::uint64_t lessThans = 0;
    for (const std::string& page : pages) {
        for (unsigned char c : page) {
            if (c == '<') {
                ++lessThans;
            }
        }
    }
    Tally tally;
    tally.lessThans = lessThans;
    return tally;
}

// The C library's vectorised search for the same character: what a scan can reach at best.
Tally runMemchrScan(const std::vector<std::string>& pages) {
    std::uint64_t lessThans = 0;
    for (const std::string& page : pages) {
        const char* p = page.data();
        const char* end = p + page.size();
        while ((p = static_cast<const char*>(std::memchr(p, '<', end - p))) != nullptr) {
            ++lessThans;
            ++p;
        }
    }
    Tally tally;
    tally.lessThans = lessThans;
    return tally;
}

struct Result {
    const char* name;
    double megabytesPerSecond;
    Tally tally;
};

// Best of several passes, the parsers taking turns so a busy moment of the machine hits all.
std::vector<Result> measure(const std::vector<std::string>& pages, std::uint64_t bytes) {
    using Runner = Tally (*)(const std::vector<std::string>&);
    const std::vector<std::pair<const char*, Runner>> runners = {{"TickXMLp", runTickXMLp},
                                                                 {"libxml2 HTML push parser", runLibxml2},
                                                                 {"byte scan", runByteScan},
                                                                 {"memchr scan", runMemchrScan}};
    std::vector<Result> results;
    for (const auto& [name, runner] : runners) {
        results.push_back({name, 0.0, {}});
    }
    for (int repetition = 0; repetition < Repetitions; ++repetition) {
        for (std::size_t i = 0; i < runners.size(); ++i) {
            const auto start = std::chrono::steady_clock::now();
            const Tally tally = runners[i].second(pages);
            const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
            results[i].megabytesPerSecond =
                std::max(results[i].megabytesPerSecond, static_cast<double>(bytes) / 1e6 / seconds.count());
            results[i].tally = tally;
        }
    }
    return results;
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path folder = argc > 1 ? argv[1] : "/usr/share/doc/git-doc";
    const std::vector<std::string> pages = loadHtmlPages(folder);
    std::uint64_t bytes = 0;
    for (const std::string& page : pages) {
        bytes += page.size();
    }
    if (bytes == 0) {
        std::fprintf(stderr, "bench_tickxmlp: no HTML pages under %s (run bench/setup)\n", folder.c_str());
        return 1;
    }
    xmlInitParser();
    std::printf("corpus: %zu HTML pages, %.1f MB from %s, fed in %zu-byte pieces, best of %d passes\n",
                pages.size(), static_cast<double>(bytes) / 1e6, folder.c_str(), PieceSize, Repetitions);

    const std::vector<Result> results = measure(pages, bytes);
    for (const Result& r : results) {
        if (r.tally.lessThans > 0) {
            std::printf("%-26s %9.1f MB/s  (\"<\" found %llu times)\n", r.name, r.megabytesPerSecond,
                        static_cast<unsigned long long>(r.tally.lessThans));
        } else {
            std::printf("%-26s %9.1f MB/s  (elements %llu, attributes %llu, text bytes %llu)\n", r.name,
                        r.megabytesPerSecond, static_cast<unsigned long long>(r.tally.elements),
                        static_cast<unsigned long long>(r.tally.attributes),
                        static_cast<unsigned long long>(r.tally.textBytes));
        }
    }
    const Result& ours = results[0];
    for (std::size_t i = 1; i < results.size(); ++i) {
        std::printf("TickXMLp %.1f MB/s vs %s %.1f MB/s: ratio %.2f\n", ours.megabytesPerSecond,
                    results[i].name, results[i].megabytesPerSecond,
                    ours.megabytesPerSecond / results[i].megabytesPerSecond);
    }
    std::printf("goals: ratio to libxml2 at least 3; stretch: ratio to the byte scan at least 0.25\n");
    xmlCleanupParser();
    return 0;
}
