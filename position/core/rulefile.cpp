#include "position/core/rulefile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <map>
#include <optional>

#include "platform/core/text.h"
#include "position/core/rewrite.h"

namespace {

enum class Field { Marker, Start, End, With, Count, Keep, Drop, KeepMarker, Repeat };
enum class Type { Text, NonEmptyText, Number, CountOrAll, Flag };

struct Setting {
    std::string_view name;
    Field field;
    Type type;
    bool required;
    std::string_view byDefault;  // what an absent setting stands for
};

struct StepForm {
    std::string_view name;
    RuleStepKind kind;
    std::vector<Setting> settings;
};

const std::vector<StepForm>& stepForms() {
    static const std::vector<Setting> pieces = {{"start", Field::Start, Type::Text, false, ""},
                                                {"end", Field::End, Type::Text, false, ""},
                                                {"count", Field::Count, Type::CountOrAll, false, "1"}};
    static const std::vector<StepForm> forms = {
        // Everything in front of the first marker goes (the marker too, unless kept); keep-before
        // keeps that many characters in front of it, and the marker. A missing marker, or one
        // standing first, leaves the text as it is.
        {"drop-before",
         RuleStepKind::DropBefore,
         {{"marker", Field::Marker, Type::NonEmptyText, true, ""},
          {"keep-marker", Field::KeepMarker, Type::Flag, false, "no"},
          {"keep-before", Field::Keep, Type::Number, false, "0"}}},
        // Everything after the first marker goes (the marker too, unless kept).
        {"drop-after",
         RuleStepKind::DropAfter,
         {{"marker", Field::Marker, Type::NonEmptyText, true, ""},
          {"keep-marker", Field::KeepMarker, Type::Flag, false, "no"}}},
        // The text becomes what follows the first marker; nothing when there is none.
        {"keep-after", RuleStepKind::KeepAfter, {{"marker", Field::Marker, Type::NonEmptyText, true, ""}}},
        // The text becomes the pieces between start and end, each found from the end of the one
        // before, up to count of them (all: until none is left), joined; nothing when none.
        {"keep-between", RuleStepKind::KeepBetween, pieces},
        // The same pieces, added to the end of a collection while the text stays as it is.
        {"collect", RuleStepKind::Collect, pieces},
        // A text of its own added to the collection.
        {"collect-text", RuleStepKind::CollectText, {{"text", Field::Marker, Type::Text, true, ""}}},
        // The text becomes the collection, which starts anew.
        {"use-collection", RuleStepKind::UseCollection, {}},
        // Every occurrence of find becomes with, also one that a replacement forms anew.
        {"replace",
         RuleStepKind::Replace,
         {{"find", Field::Marker, Type::NonEmptyText, true, ""},
          {"with", Field::With, Type::Text, false, ""}}},
        // Every open directly followed by close gets a number between them (and the after text
        // behind the number), counting up from first, from the left.
        {"number",
         RuleStepKind::Number,
         {{"open", Field::Start, Type::Text, false, "[["},
          {"close", Field::End, Type::Text, false, "]]"},
          {"first", Field::Count, Type::Number, false, "1"},
          {"after", Field::With, Type::Text, false, ""}}},
        // Every occurrence of find in turn keeps its first keep characters, loses the next drop
        // ones for open, a number and close, and keeps the rest.
        {"number-each",
         RuleStepKind::NumberEach,
         {{"find", Field::Marker, Type::NonEmptyText, true, ""},
          {"keep", Field::Keep, Type::Number, false, "0"},
          {"drop", Field::Drop, Type::Number, false, "0"},
          {"open", Field::Start, Type::Text, false, "[["},
          {"close", Field::End, Type::Text, false, "]]"},
          {"first", Field::Count, Type::Number, false, "1"}}},
        // What stands between the first start and the first end after it goes (the two markers
        // too, unless kept); with repeat, again until nothing changes.
        {"delete-between",
         RuleStepKind::DeleteBetween,
         {{"start", Field::Start, Type::Text, false, ""},
          {"end", Field::End, Type::Text, false, ""},
          {"keep-markers", Field::KeepMarker, Type::Flag, false, "no"},
          {"repeat", Field::Repeat, Type::Flag, false, "no"}}},
        // A relocation link, the prefix and what follows it up to stop, becomes with; repeated
        // until nothing changes.
        {"collapse-relocations",
         RuleStepKind::CollapseRelocations,
         {{"prefix", Field::Marker, Type::NonEmptyText, true, ""},
          {"stop", Field::End, Type::Text, false, ""},
          {"with", Field::With, Type::NonEmptyText, true, ""}}},
        // While marker occurs: the piece between it and until, with the marker in front, becomes
        // with wherever it occurs.
        {"repair-redirects",
         RuleStepKind::RepairRedirects,
         {{"marker", Field::Marker, Type::NonEmptyText, true, ""},
          {"until", Field::End, Type::Text, false, ""},
          {"with", Field::With, Type::NonEmptyText, true, ""}}},
    };
    return forms;
}

const StepForm* stepForm(std::string_view name) {
    for (const StepForm& form : stepForms()) {
        if (form.name == name)
            return &form;
    }
    return nullptr;
}

const StepForm& stepForm(RuleStepKind kind) {
    for (const StepForm& form : stepForms()) {
        if (form.kind == kind)
            return form;
    }
    return stepForms().front();
}

std::string* textField(RuleStep& step, Field field) {
    switch (field) {
        case Field::Marker:
            return &step.marker;
        case Field::Start:
            return &step.start;
        case Field::End:
            return &step.end;
        case Field::With:
            return &step.with;
        default:
            return nullptr;
    }
}

long* numberField(RuleStep& step, Field field) {
    switch (field) {
        case Field::Count:
            return &step.count;
        case Field::Keep:
            return &step.keep;
        case Field::Drop:
            return &step.drop;
        default:
            return nullptr;
    }
}

bool* flagField(RuleStep& step, Field field) {
    return field == Field::KeepMarker ? &step.keepMarker : field == Field::Repeat ? &step.repeat : nullptr;
}

constexpr std::array<std::string_view, 6> kMarkerKeys = {"item-start", "item-end",      "label-start",
                                                         "label-end",  "address-start", "address-end"};

std::string* pageField(PageRule& rule, std::string_view key) {
    std::string* fields[] = {&rule.itemStart, &rule.itemEnd,      &rule.labelStart,
                             &rule.labelEnd,  &rule.addressStart, &rule.addressEnd};
    for (size_t i = 0; i < kMarkerKeys.size(); ++i) {
        if (kMarkerKeys[i] == key)
            return fields[i];
    }
    if (key == "name")
        return &rule.displayName;
    if (key == "cut-address-at")
        return &rule.cutAddressAt;
    return nullptr;
}

std::string* jsonField(JsonRule& rule, std::string_view key) {
    if (key == "name")
        return &rule.displayName;
    if (key == "results")
        return &rule.results;
    if (key == "address")
        return &rule.addressField;
    if (key == "label")
        return &rule.labelField;
    return nullptr;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The value as written, its escapes decoded; nullopt and why for a broken escape.
std::optional<std::string> decodeValue(std::string_view written, std::string& why) {
    std::string out;
    out.reserve(written.size());
    for (size_t i = 0; i < written.size(); ++i) {
        if (written[i] != '\\') {
            out += written[i];
            continue;
        }
        if (i + 1 == written.size()) {
            why = "a value ends in a lone \"\\\" (write \"\\\\\" for a backslash)";
            return std::nullopt;
        }
        char c = written[++i];
        switch (c) {
            case '\\':
                out += '\\';
                break;
            case 's':
                out += ' ';
                break;
            case 'r':
                out += '\r';
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'x': {
                int high = i + 1 < written.size() ? hexDigit(written[i + 1]) : -1;
                int low = i + 2 < written.size() ? hexDigit(written[i + 2]) : -1;
                if (high < 0 || low < 0) {
                    why = "\"\\x\" must be followed by two hexadecimal digits";
                    return std::nullopt;
                }
                out += static_cast<char>(high * 16 + low);
                i += 2;
                break;
            }
            default:
                why = std::string("unknown escape \"\\") + c +
                      "\" (known: \\s \\r \\n \\t \\\\ \\xHH; write \"\\\\\" for a backslash)";
                return std::nullopt;
        }
    }
    return out;
}

std::string encodeValue(std::string_view value) {
    static const char* hex = "0123456789ABCDEF";
    size_t lead = 0;
    while (lead < value.size() && value[lead] == ' ')
        ++lead;
    size_t trail = value.size();
    while (trail > lead && value[trail - 1] == ' ')
        --trail;
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == ' ' && (i < lead || i >= trail)) {
            out += "\\s";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (u < 0x20 || u == 0x7f) {
            out += "\\x";
            out += hex[u >> 4];
            out += hex[u & 15];
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<long> parseNumber(std::string_view text, long low, long high) {
    long value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

constexpr long kMostNumber = 1000000;

// Sets one setting of a step from its written value; the reason when the value does not fit.
std::string applySetting(RuleStep& step, const Setting& setting, const std::string& value) {
    const std::string name(setting.name);
    switch (setting.type) {
        case Type::Text:
        case Type::NonEmptyText:
            *textField(step, setting.field) = value;
            return {};
        case Type::Flag:
            if (value != "yes" && value != "no")
                return name + " must be yes or no, not \"" + value + "\"";
            *flagField(step, setting.field) = value == "yes";
            return {};
        case Type::CountOrAll:
            if (value == "all") {
                *numberField(step, setting.field) = 0;
                return {};
            }
            if (auto number = parseNumber(value, 1, kMostNumber)) {
                *numberField(step, setting.field) = *number;
                return {};
            }
            return name + " must be a number from 1 to " + std::to_string(kMostNumber) + " or all, not \"" +
                   value + "\"";
        case Type::Number: {
            const bool first = setting.field == Field::Count;
            const long low = first ? -kMostNumber * 1000 : 0;
            const long high = first ? kMostNumber * 1000 : kMostNumber;
            if (auto number = parseNumber(value, low, high)) {
                *numberField(step, setting.field) = *number;
                return {};
            }
            return name + " must be a whole number from " + std::to_string(low) + " to " +
                   std::to_string(high) + ", not \"" + value + "\"";
        }
    }
    return {};
}

std::string writtenSetting(const RuleStep& step, const Setting& setting) {
    RuleStep copy = step;
    switch (setting.type) {
        case Type::Text:
        case Type::NonEmptyText:
            return encodeValue(*textField(copy, setting.field));
        case Type::Flag:
            return *flagField(copy, setting.field) ? "yes" : "no";
        case Type::CountOrAll: {
            long n = *numberField(copy, setting.field);
            return n == 0 ? "all" : std::to_string(n);
        }
        case Type::Number:
            return std::to_string(*numberField(copy, setting.field));
    }
    return {};
}

// Reads the lines of one file; the first failure ends the reading.
class RuleReader {
public:
    RuleFileReading read(std::string_view text) {
        if (text.size() > kMaxRuleFileSize)
            return fail(0, "the file is larger than " + std::to_string(kMaxRuleFileSize) + " bytes");
        std::vector<std::string> lines = splitLines(text);
        for (size_t i = 0; i < lines.size(); ++i) {
            if (!readLine(static_cast<int>(i + 1), lines[i]))
                return m_reading;
        }
        if (!m_kindSeen)
            return fail(0, "the file is empty; a rule starts with the line kind=page or kind=json");
        if (!closeStep())
            return m_reading;
        finish();
        return m_reading;
    }

private:
    RuleFileReading fail(int line, std::string why) {
        m_reading.errorLine = line;
        m_reading.error = std::move(why);
        return m_reading;
    }

    bool failLine(int line, std::string why) {
        fail(line, std::move(why));
        return false;
    }

    bool readLine(int number, std::string_view line) {
        std::string_view trimmed = trimmedView(line);
        if (trimmed.empty() || trimmed.front() == '#')
            return true;
        size_t equals = trimmed.find('=');
        if (equals == std::string_view::npos)
            return failLine(number, "no \"=\" in the line; every line is key=value");
        const std::string key = lowerAscii(trimmedView(trimmed.substr(0, equals)));
        std::string why;
        std::optional<std::string> value = decodeValue(trimmedView(trimmed.substr(equals + 1)), why);
        if (!value)
            return failLine(number, why);
        if (!m_kindSeen) {
            if (key != "kind" || (*value != "page" && *value != "json"))
                return failLine(number, "a rule starts with the line kind=page or kind=json");
            m_kindSeen = true;
            m_kindLine = number;
            m_json = *value == "json";
            if (m_json)
                m_reading.rule = JsonRule();
            return true;
        }
        if (key == "kind")
            return failLine(number,
                            "\"kind\" is given twice (first on line " + std::to_string(m_kindLine) + ")");
        if (key == "step")
            return startStep(number, *value);
        if (std::string* field = ruleField(key)) {
            if (!closeStep())
                return false;
            if (auto seen = m_seen.find(key); seen != m_seen.end()) {
                return failLine(number, "\"" + key + "\" is given twice (first on line " +
                                            std::to_string(seen->second) + ")");
            }
            m_seen[key] = number;
            *field = std::move(*value);
            return true;
        }
        if (m_step)
            return setStep(number, key, *value);
        return failLine(number,
                        "unknown key \"" + key + "\" in a kind=" + (m_json ? "json" : "page") + " rule");
    }

    std::string* ruleField(const std::string& key) {
        if (m_json)
            return jsonField(std::get<JsonRule>(m_reading.rule), key);
        return pageField(std::get<PageRule>(m_reading.rule), key);
    }

    bool startStep(int number, const std::string& name) {
        if (m_json)
            return failLine(number, "steps belong to kind=page rules; a kind=json rule has none");
        if (!closeStep())
            return false;
        const StepForm* form = stepForm(name);
        if (!form) {
            std::string known;
            for (const StepForm& s : stepForms())
                known += (known.empty() ? "" : ", ") + std::string(s.name);
            return failLine(number, "there is no step \"" + name + "\" (steps: " + known + ")");
        }
        RuleStep step;
        step.kind = form->kind;
        step.line = number;
        for (const Setting& setting : form->settings) {
            if (!setting.required)
                applySetting(step, setting, std::string(setting.byDefault));
        }
        m_step = form;
        m_stepSeen.clear();
        std::get<PageRule>(m_reading.rule).steps.push_back(std::move(step));
        return true;
    }

    bool setStep(int number, const std::string& key, const std::string& value) {
        RuleStep& step = std::get<PageRule>(m_reading.rule).steps.back();
        for (const Setting& setting : m_step->settings) {
            if (setting.name != key)
                continue;
            if (auto seen = m_stepSeen.find(key); seen != m_stepSeen.end()) {
                return failLine(number, "\"" + key + "\" is given twice (first on line " +
                                            std::to_string(seen->second) + ")");
            }
            m_stepSeen[key] = number;
            std::string why = applySetting(step, setting, value);
            if (!why.empty())
                return failLine(number, why);
            return true;
        }
        std::string known;
        for (const Setting& s : m_step->settings)
            known += (known.empty() ? "" : ", ") + std::string(s.name);
        return failLine(number, "\"" + key + "\" is no setting of the step " + std::string(m_step->name) +
                                    (known.empty() ? " (it has none)" : " (settings: " + known + ")"));
    }

    // Checks the step being read once all its settings are in.
    bool closeStep() {
        if (!m_step)
            return true;
        const StepForm& form = *m_step;
        m_step = nullptr;
        RuleStep& step = std::get<PageRule>(m_reading.rule).steps.back();
        const std::string where = "the step " + std::string(form.name) + " ";
        for (const Setting& setting : form.settings) {
            const std::string name(setting.name);
            if (setting.required && !m_stepSeen.contains(name))
                return failLine(step.line, where + "needs a line " + name + "=");
            if (setting.type == Type::NonEmptyText && textField(step, setting.field)->empty())
                return failLine(step.line, where + "needs a " + name + " that is not empty");
        }
        // These rewrite in one pass, which is only the loop as worded when a replacement can
        // never form the text it replaces together with what stands around it.
        if ((step.kind == RuleStepKind::CollapseRelocations || step.kind == RuleStepKind::RepairRedirects) &&
            canMeet(step.marker, step.with)) {
            return failLine(step.line,
                            where + "needs a with text that cannot form its " +
                                (step.kind == RuleStepKind::RepairRedirects ? "marker" : "prefix") +
                                " together with the text around it");
        }
        return true;
    }

    void finish() {
        std::vector<std::string_view> required = {"name"};
        if (m_json) {
            required.insert(required.end(), {"results", "address"});
        } else {
            required.insert(required.end(), kMarkerKeys.begin(), kMarkerKeys.end());
        }
        for (std::string_view key : required) {
            if (!m_seen.contains(std::string(key))) {
                fail(0, "the line " + std::string(key) + "= is missing" +
                            (key == "name" ? ""
                             : m_json      ? ""
                                           : " (it may be empty)"));
                return;
            }
        }
        if (std::string name = trimText(*ruleField("name")); name.empty()) {
            fail(m_seen["name"], "the name is empty");
            return;
        }
        if (m_json) {
            const JsonRule& rule = std::get<JsonRule>(m_reading.rule);
            const std::pair<const char*, const std::string*> pointers[] = {
                {"results", &rule.results}, {"address", &rule.addressField}, {"label", &rule.labelField}};
            for (const auto& [key, value] : pointers) {
                const bool mustPoint = std::string_view(key) == "results";
                if ((mustPoint || value->starts_with('/')) &&
                    (!value->starts_with('/') || !isJsonPointer(*value))) {
                    fail(m_seen[key],
                         std::string(key) + " must be a JSON pointer such as /items or /web/results");
                    return;
                }
            }
            if (rule.addressField.empty())
                fail(m_seen["address"], "the address field is empty");
        }
    }

    RuleFileReading m_reading{PageRule(), 0, {}};
    bool m_kindSeen = false;
    int m_kindLine = 0;
    bool m_json = false;
    std::map<std::string, int> m_seen;
    const StepForm* m_step = nullptr;
    std::map<std::string, int> m_stepSeen;
};

}  // namespace

RuleFileReading readRuleFile(std::string_view text) {
    return RuleReader().read(text);
}

std::string formatRuleFile(const EngineRuleFile& rule) {
    std::string out;
    auto line = [&out](std::string_view key, const std::string& value) {
        out += key;
        out += '=';
        out += value;
        out += "\r\n";
    };
    if (const JsonRule* json = std::get_if<JsonRule>(&rule)) {
        line("kind", "json");
        line("name", encodeValue(json->displayName));
        line("results", encodeValue(json->results));
        line("address", encodeValue(json->addressField));
        if (!json->labelField.empty())
            line("label", encodeValue(json->labelField));
        return out;
    }
    const PageRule& page = std::get<PageRule>(rule);
    line("kind", "page");
    line("name", encodeValue(page.displayName));
    for (const RuleStep& step : page.steps) {
        const StepForm& form = stepForm(step.kind);
        line("step", std::string(form.name));
        for (const Setting& setting : form.settings)
            line(std::string("    ") + std::string(setting.name), writtenSetting(step, setting));
    }
    const std::string* markers[] = {&page.itemStart, &page.itemEnd,      &page.labelStart,
                                    &page.labelEnd,  &page.addressStart, &page.addressEnd};
    for (size_t i = 0; i < kMarkerKeys.size(); ++i)
        line(kMarkerKeys[i], encodeValue(*markers[i]));
    if (!page.cutAddressAt.empty())
        line("cut-address-at", encodeValue(page.cutAddressAt));
    return out;
}

bool isJsonPointer(std::string_view pointer) {
    if (pointer.empty())
        return true;
    if (pointer.front() != '/')
        return false;
    for (size_t i = 0; i < pointer.size(); ++i) {
        if (pointer[i] == '~' &&
            (i + 1 == pointer.size() || (pointer[i + 1] != '0' && pointer[i + 1] != '1')))
            return false;
    }
    return true;
}
