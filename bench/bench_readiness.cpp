// The page readiness check (head reader and report) against libxml2's HTML parser pulling out the
// title and the description and keywords meta contents, on the same pages in the same run: the
// git-doc pages, and synthetic pages whose heads hold thousands of meta lines, which also show how
// the check's time grows with the head.
//   bench_readiness [folder]     default folder: /usr/share/doc/git-doc (bench/setup installs it)

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/htmlcorpus.h"
#include "pageprep/core/readinesscheck.h"

namespace {

constexpr int Repetitions = 7;

// A page whose head holds `metaLines` meta tags in the shapes real heads have (upper case, split
// over lines, blanks around "=", self-closing), the description and keywords last, and a body.
std::string syntheticPage(int metaLines) {
    std::string page = "<html>\n<head>\n<title>A head of many meta tags</title>\n";
    for (int i = 0; i < metaLines; ++i) {
        const std::string n = std::to_string(i);
        switch (i % 4) {
            case 0:
                page += "<meta name=\"m" + n + "\" content=\"value " + n + " of the synthetic head\">\n";
                break;
            case 1:
                page += "<META NAME=\"M" + n + "\" CONTENT=\"Value " + n + " Upper Case\">\n";
                break;
            case 2:
                page += "<meta name = \"m" + n + "\"\n      content = \"split " + n + " over lines\" />\n";
                break;
            default:
                page += "  <meta http-equiv=\"X-Item-" + n + "\" content=\"a = b; c = " + n + "\">\n";
                break;
        }
    }
    page +=
        "<meta name=\"description\" content=\"Garden tools, seeds and advice for every garden, "
        "from the first spade to the last harvest.\">\n"
        "<meta name=\"keywords\" content=\"garden, tools, seeds, advice, harvest\">\n</head>\n<body>\n";
    for (int i = 0; i < 60; ++i)
        page += "<p>Garden tools and seeds: advice for the <b>garden</b>, harvest after harvest.</p>\n";
    page += "</body>\n</html>\n";
    return page;
}

struct Values {
    std::string title, description, keywords;
};

Values readinessCheck(const std::string& page) {
    const ReadinessCheck check = checkPageReadiness("page.htm", page);
    // The report is part of the work measured; its size keeps it from being optimised away.
    Values values{check.head.title, check.head.description, check.head.keywords};
    if (check.report)
        values.title += static_cast<char>('0' + check.report->size() % 10);
    return values;
}

std::string propertyOf(xmlNodePtr node, const char* name) {
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    std::string text = value ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return text;
}

// What a developer would write with libxml2: parse the page into a tree and walk the head.
Values libxml2Tree(const std::string& page) {
    Values values;
    htmlDocPtr document = htmlReadMemory(page.data(), static_cast<int>(page.size()), nullptr, nullptr,
                                         HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET);
    xmlNodePtr root = xmlDocGetRootElement(document);
    for (xmlNodePtr head = root ? root->children : nullptr; head; head = head->next) {
        if (head->type != XML_ELEMENT_NODE || xmlStrcasecmp(head->name, BAD_CAST "head") != 0)
            continue;
        for (xmlNodePtr node = head->children; node; node = node->next) {
            if (node->type != XML_ELEMENT_NODE)
                continue;
            if (xmlStrcasecmp(node->name, BAD_CAST "title") == 0) {
                xmlChar* text = xmlNodeGetContent(node);
                values.title = text ? reinterpret_cast<const char*>(text) : "";
                xmlFree(text);
            } else if (xmlStrcasecmp(node->name, BAD_CAST "meta") == 0) {
                const std::string name = propertyOf(node, "name");
                if (strcasecmp(name.c_str(), "description") == 0)
                    values.description = propertyOf(node, "content");
                else if (strcasecmp(name.c_str(), "keywords") == 0)
                    values.keywords = propertyOf(node, "content");
            }
        }
        break;
    }
    xmlFreeDoc(document);
    return values;
}

// The leaner libxml2 way: SAX callbacks that stop the parser at the body.
struct SaxState {
    Values values;
    bool inTitle = false;
    htmlParserCtxtPtr context = nullptr;
};

void quiet(void*, const char*, ...) {}

Values libxml2Sax(const std::string& page) {
    SaxState state;
    htmlSAXHandler sax{};
    sax.startElement = [](void* context, const xmlChar* name, const xmlChar** attributes) {
        auto* s = static_cast<SaxState*>(context);
        if (xmlStrcasecmp(name, BAD_CAST "body") == 0 || xmlStrcasecmp(name, BAD_CAST "frameset") == 0) {
            xmlStopParser(s->context);
        } else if (xmlStrcasecmp(name, BAD_CAST "title") == 0) {
            s->inTitle = true;
        } else if (xmlStrcasecmp(name, BAD_CAST "meta") == 0) {
            const xmlChar* metaName = nullptr;
            const xmlChar* content = nullptr;
            for (; attributes && attributes[0]; attributes += 2) {
                if (xmlStrcasecmp(attributes[0], BAD_CAST "name") == 0)
                    metaName = attributes[1];
                else if (xmlStrcasecmp(attributes[0], BAD_CAST "content") == 0)
                    content = attributes[1];
            }
            if (metaName && content && xmlStrcasecmp(metaName, BAD_CAST "description") == 0)
                s->values.description = reinterpret_cast<const char*>(content);
            else if (metaName && content && xmlStrcasecmp(metaName, BAD_CAST "keywords") == 0)
                s->values.keywords = reinterpret_cast<const char*>(content);
        }
    };
    sax.endElement = [](void* context, const xmlChar* name) {
        if (xmlStrcasecmp(name, BAD_CAST "title") == 0)
            static_cast<SaxState*>(context)->inTitle = false;
    };
    sax.characters = [](void* context, const xmlChar* text, int length) {
        auto* s = static_cast<SaxState*>(context);
        if (s->inTitle)
            s->values.title.append(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length));
    };
    sax.warning = quiet;
    sax.error = quiet;
    state.context = htmlCreatePushParserCtxt(&sax, &state, nullptr, 0, nullptr, XML_CHAR_ENCODING_NONE);
    htmlCtxtUseOptions(state.context, HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET);
    htmlParseChunk(state.context, page.data(), static_cast<int>(page.size()), 1);
    htmlFreeParserCtxt(state.context);
    return state.values;
}

using Reader = Values (*)(const std::string&);

struct Contender {
    const char* name;
    Reader read;
};
const Contender Contenders[] = {{"readiness check", readinessCheck},
                                {"libxml2 HTML tree", libxml2Tree},
                                {"libxml2 SAX to <body>", libxml2Sax}};
constexpr std::size_t ContenderCount = std::size(Contenders);

// Best seconds per pass over the pages for each contender, the contenders taking turns so a busy
// moment of the machine hits all of them.
std::vector<double> measure(const std::vector<std::string>& pages, int repetitions = Repetitions) {
    std::vector<double> best(ContenderCount, 1e300);
    std::size_t sink = 0;
    for (int repetition = 0; repetition < repetitions; ++repetition) {
        for (std::size_t i = 0; i < ContenderCount; ++i) {
            const auto start = std::chrono::steady_clock::now();
            for (const std::string& page : pages)
                sink += Contenders[i].read(page).title.size();
            const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
            best[i] = std::min(best[i], seconds.count());
        }
    }
    if (sink == 1)
        std::printf("\n");
    return best;
}

void printRatios(const char* what, const std::vector<double>& seconds, double megabytes) {
    for (std::size_t i = 0; i < ContenderCount; ++i)
        std::printf("%-24s %s: %9.3f ms  %8.1f MB/s\n", Contenders[i].name, what, seconds[i] * 1e3,
                    megabytes / seconds[i]);
    for (std::size_t i = 1; i < ContenderCount; ++i)
        std::printf("readiness check vs %s, %s: ratio %.2f\n", Contenders[i].name, what,
                    seconds[i] / seconds[0]);
}

double megabytesOf(const std::vector<std::string>& pages) {
    double bytes = 0;
    for (const std::string& page : pages)
        bytes += static_cast<double>(page.size());
    return bytes / 1e6;
}

// On how many pages the two readers deliver the same three values (libxml2 decodes entities and
// character sets, which the readiness check leaves alone on purpose).
int agreeing(const std::vector<std::string>& pages) {
    int count = 0;
    for (const std::string& page : pages) {
        const ReadinessCheck check = checkPageReadiness("page.htm", page);
        const Values theirs = libxml2Tree(page);
        if (check.head.title == theirs.title && check.head.description == theirs.description &&
            check.head.keywords == theirs.keywords)
            ++count;
    }
    return count;
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path folder = argc > 1 ? argv[1] : "/usr/share/doc/git-doc";
    const std::vector<std::string> pages = loadHtmlPages(folder);
    if (pages.empty()) {
        std::fprintf(stderr, "bench_readiness: no HTML pages under %s (run bench/setup)\n", folder.c_str());
        return 1;
    }
    xmlInitParser();
    std::printf("corpus: %zu HTML pages, %.1f MB from %s; best of %d passes\n", pages.size(),
                megabytesOf(pages), folder.c_str(), Repetitions);
    std::printf("values agree with libxml2's on %d of %zu pages\n", agreeing(pages), pages.size());
    printRatios("corpus", measure(pages), megabytesOf(pages));

    const std::vector<std::string> big = {syntheticPage(20000)};
    std::printf("\nsynthetic page: head of 20000 meta lines, %.1f MB; values agree with libxml2's: %s\n",
                megabytesOf(big), agreeing(big) == 1 ? "yes" : "no");
    printRatios("20000 meta lines", measure(big), megabytesOf(big));

    // The best of many short passes: the fastest pass is the one least disturbed by the rest of
    // the machine, and smaller pages get more passes since each is over sooner.
    std::printf("\ngrowth of the time when the head grows tenfold (linear growth: ratio 10)\n");
    std::vector<double> previous;
    for (int lines : {2000, 20000, 200000}) {
        const std::vector<double> seconds = measure({syntheticPage(lines)}, std::max(5, 100000 / lines));
        std::printf("%6d meta lines:", lines);
        for (std::size_t i = 0; i < ContenderCount; ++i)
            std::printf("  %s %.2f ms", Contenders[i].name, seconds[i] * 1e3);
        std::printf("\n");
        if (!previous.empty()) {
            for (std::size_t i = 0; i < ContenderCount; ++i)
                std::printf("%s, %d -> %d meta lines: ratio %.2f\n", Contenders[i].name, lines / 10, lines,
                            seconds[i] / previous[i]);
        }
        previous = seconds;
    }
    std::printf(
        "goals: ratio to libxml2 at least 1; growth ratios of the readiness check at most about 10\n");
    xmlCleanupParser();
    return 0;
}
