#include "pageprep/core/readinessreport.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "pageprep/core/headbuffer.h"
#include "platform/core/text.h"

namespace {

bool isBlankCode(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

bool isAsciiLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// The body range of a working copy of the page: "=" made a blank and blanks put around tags, so
// words stand apart from tags and attribute values; folded to one letter case for the search.
struct BodyCopy {
    BodyCopy(std::string_view pageText, BodyRange range) {
        text.reserve((range.end - range.start) * 2);
        for (char c : pageText.substr(range.start, range.end - range.start)) {
            if (c == '=') {
                text += ' ';
            } else if (c == '>') {
                text += "> ";
            } else if (c == '<') {
                text += " <";
            } else {
                text += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
            }
        }
        before = range.start > 0 ? pageText[range.start - 1] : ' ';
        after = range.end < pageText.size() ? pageText[range.end] : ' ';
    }

    std::string text;
    char before;  // the page's characters just outside the range
    char after;
};

int countWholeWords(const BodyCopy& body, std::string_view keyword) {
    if (keyword.empty())
        return 0;
    const std::string wanted = lowerAscii(keyword);
    int count = 0;
    for (std::size_t at = body.text.find(wanted); at != std::string::npos;
         at = body.text.find(wanted, at + 1)) {
        const char previous = at > 0 ? body.text[at - 1] : body.before;
        const std::size_t next = at + wanted.size();
        const char following = next < body.text.size() ? body.text[next] : body.after;
        if (!isAsciiLetterOrDigit(previous) && !isAsciiLetterOrDigit(following))
            ++count;
    }
    return count;
}

const std::string RuleLine = " " + std::string(84, '-');

void addEmpty(std::vector<std::string>& report, int count) {
    report.insert(report.end(), static_cast<std::size_t>(count), std::string());
}

void addKeywordSection(std::vector<std::string>& report, std::string_view keywords,
                       const std::vector<KeywordCount>& tally) {
    report.insert(report.end(),
                  {
                      "Verimane Meta Tag Analysis: the readiness check of your page's title, meta tags and "
                      "body text",
                      "The full version of Verimane analyses every tag of the page; ask Orlek for it.",
                      "",
                      "1) Key Word Repetition (Spamming) and Usage Check",
                      RuleLine,
                      " Checks for key word repetition in keywords meta tag. This check",
                      " is important because it prevents you from disqualifying your page",
                      " from search engines because of suspected spamming. Most Engines will",
                      " look at repeating of words past 6 as a tactic of increasing relevancy",
                      " on a topic that you would not score high on normally. Basically",
                      " cheating! If you fail this check your page may be rejected from the",
                      " engine or the tag may be disqualified. In Short, it will adversely ",
                      " affect your search engine findability! ",
                  });
    addEmpty(report, 2);

    const double length = static_cast<double>(keywords.size());
    report.push_back(length >= 1000 / 2.0 && length <= 1000
                         ? " REPORT: You are using the Key words tag effectively"
                         : " REPORT: Warning, You are not using the Key words tag effectively");
    report.push_back(" You are using: " + std::to_string(keywords.size()) + " Characters");
    report.push_back(" You can use up to 1000 Characters");
    addEmpty(report, 3);

    bool warned = false;
    for (const KeywordCount& entry : tally) {
        if (entry.count > 6) {
            report.push_back("");
            report.push_back("WARNING! Keyword " + entry.keyword + " is repeated " +
                             std::to_string(entry.count) +
                             " times throughout keywords. Keywords Tag will be disqualified!");
            report.push_back("");
            warned = true;
        }
    }
    if (!warned) {
        report.push_back("");
        report.push_back(" INFO: The key words passed the repetition check!");
        addEmpty(report, 3);
    }
}

void addDescriptionSection(std::vector<std::string>& report, std::string_view description,
                           const std::vector<KeywordCount>& tally) {
    report.insert(report.end(),
                  {
                      "2) Check for the usage of Key words in the description meta tag and description usage",
                      RuleLine,
                      " Checks for key word usage in the description meta tag. This is a common ",
                      " method used to determine if your page is actually about the information in",
                      " your key words. This check should pass or you need to change the description",
                      " meta tag to include keywords!",
                  });
    addEmpty(report, 2);

    const std::vector<std::string> words = splitWords(description);
    if (!tally.empty() && !words.empty()) {
        std::unordered_set<std::string> described;
        for (const std::string& word : words)
            described.insert(upperAscii(word));
        const bool found = std::any_of(tally.begin(), tally.end(), [&](const KeywordCount& entry) {
            return described.count(upperAscii(entry.keyword)) > 0;
        });
        report.push_back(found ? " Description Tag Passes: Keywords found in page description."
                               : " WARNING! Keywords not found in page description.");
    }

    const std::size_t length = description.size();
    report.push_back(length < 150 || length > 200
                         ? " REPORT: Warning, You are not using the Description tag effectively"
                         : " REPORT: You are using the Description tag effectively");
    report.push_back(" You are using: " + std::to_string(length) + " Characters");
    report.push_back(" You can use up to 200 Characters");
    report.push_back("");
}

void addBodySection(std::vector<std::string>& report, std::string_view pageText,
                    const std::vector<KeywordCount>& tally) {
    const BodyRange range = bodySearchRange(pageText);
    addEmpty(report, 3);
    report.insert(report.end(),
                  {
                      "3) Check Body Text for Key Word Usage & Counts",
                      RuleLine,
                      " Checks for key word usage in the document. THIS IS THE MOST IMPORTANT CHECK  ",
                      " THAT YOU NEED TO PASS. If the search engine finds no reference in your document ",
                      " for your key words you will most likely score low in the search engines for ",
                      " your meta tag values! It is recommended that your target keywords are used at",
                      " least Five (5) times. Output will be formatted: Key word - Count",
                      "",
                      "* The next line tells you how deep into the document Verimane will search.",
                      "- Checking the first " + std::to_string(range.end - range.start) +
                          " characters of the body text.",
                      "",
                  });
    const BodyCopy body(pageText, range);
    for (const KeywordCount& entry : tally) {
        if (entry.keyword.empty())
            continue;
        const int count = countWholeWords(body, entry.keyword);
        report.push_back(trimText(entry.keyword) + " - " + std::to_string(count) + " ");
    }
}

}  // namespace

std::vector<std::string> splitWords(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> words;
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && isBlankCode(text[i]))
            ++i;
    };
    skipBlanks();
    while (i < text.size()) {
        std::string word;
        if (text[i] == '"') {
            ++i;
            while (i < text.size()) {
                if (text[i] != '"') {
                    word += text[i++];
                } else if (i + 1 < text.size() && text[i + 1] == '"') {
                    word += '"';
                    i += 2;
                } else {
                    ++i;
                    break;
                }
            }
        } else {
            const std::size_t start = i;
            while (i < text.size() && text[i] != ',' && !isBlankCode(text[i]))
                ++i;
            word.assign(text.substr(start, i - start));
        }
        words.push_back(std::move(word));
        skipBlanks();
        if (i < text.size() && text[i] == ',') {
            ++i;
            skipBlanks();
        }
    }
    return words;
}

std::vector<KeywordCount> tallyKeywords(const std::vector<std::string>& words) {
    std::vector<KeywordCount> tally;
    std::unordered_map<std::string, std::size_t> indexByKey;
    for (const std::string& word : words) {
        const auto [it, added] = indexByKey.try_emplace(upperAscii(word), tally.size());
        if (added)
            tally.push_back({word, 0});
        ++tally[it->second].count;
    }
    return tally;
}

BodyRange bodySearchRange(std::string_view pageText) {
    BodyRange range;
    const std::size_t body = findIgnoringCase(pageText, "<body");
    if (body == std::string_view::npos) {
        range.end = pageText.size();
    } else {
        range.start = body + 5;
        const std::size_t close = findIgnoringCase(pageText, "</body>", range.start);
        range.end = close == std::string_view::npos ? pageText.size() : close;
    }
    range.end = std::min(range.end, range.start + BodySearchLimit);
    return range;
}

int countKeywordInBody(std::string_view pageText, BodyRange range, std::string_view keyword) {
    return countWholeWords(BodyCopy(pageText, range), keyword);
}

std::vector<std::string> buildReadinessReport(std::string_view keywords, std::string_view description,
                                              std::string_view pageText) {
    const std::vector<KeywordCount> tally = tallyKeywords(splitWords(keywords));
    std::vector<std::string> report;
    addKeywordSection(report, keywords, tally);
    addDescriptionSection(report, description, tally);
    addBodySection(report, pageText, tally);
    addEmpty(report, 2);
    report.insert(report.end(), {
                                    "[Information]",
                                    "",
                                    "These checks were formulated based on the latest rules put forth by the "
                                    "search engines and good publishing standards.",
                                    "These rules can change, please check back with Orlek on a monthly basis "
                                    "to see if there are updates!",
                                });
    return report;
}
