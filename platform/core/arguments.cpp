#include "platform/core/arguments.h"

#include <charconv>

#include "platform/core/text.h"

Arguments::Arguments(const std::vector<std::string>& args, const std::vector<OptionRule>& rules) {
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
            if (arg == "--") {
                optionsEnded = true;
                continue;
            }
            m_positional.push_back(arg);
            continue;
        }
        std::string name = arg.substr(2);
        std::optional<std::string> inlineValue;
        if (size_t eq = name.find('='); eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }
        const OptionRule* rule = nullptr;
        for (const OptionRule& s : rules) {
            if (s.name == name)
                rule = &s;
        }
        if (!rule)
            throw UsageError("unknown option --" + name);
        if (m_values.count(name) && !rule->repeatable)
            throw UsageError("--" + name + " given twice");
        std::vector<std::string>& slot = m_values[name];
        if (!rule->takesValue) {
            if (inlineValue)
                throw UsageError("--" + name + " takes no value");
            continue;
        }
        if (inlineValue) {
            slot.push_back(*inlineValue);
        } else if (i + 1 < args.size()) {
            slot.push_back(args[++i]);
        } else {
            throw UsageError("--" + name + " needs a value");
        }
    }
}

std::optional<std::string> Arguments::value(const std::string& name) const {
    auto it = m_values.find(name);
    if (it == m_values.end() || it->second.empty())
        return std::nullopt;
    return it->second.back();
}

std::vector<std::string> Arguments::values(const std::string& name) const {
    auto it = m_values.find(name);
    return it == m_values.end() ? std::vector<std::string>() : it->second;
}

std::string Arguments::required(const std::string& name) const {
    std::optional<std::string> v = value(name);
    if (!v)
        throw UsageError("--" + name + " is required");
    return *v;
}

std::vector<std::string> Arguments::nameList(const std::string& name) const {
    const std::string text = required(name);
    std::vector<std::string> names;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        std::string item = trimText(std::string_view(text).substr(
            start, comma == std::string::npos ? std::string::npos : comma - start));
        if (!item.empty())
            names.push_back(std::move(item));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return names;
}

int Arguments::integer(const std::string& name, int fallback, int min, int max) const {
    std::optional<std::string> text = value(name);
    if (!text)
        return fallback;
    int number = 0;
    auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), number);
    if (text->empty() || error != std::errc() || end != text->data() + text->size() || number < min ||
        number > max) {
        throw UsageError("--" + name + " needs a whole number from " + std::to_string(min) + " to " +
                         std::to_string(max));
    }
    return number;
}
