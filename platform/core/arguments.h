#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// Bad command-line arguments; what() says what is wrong, for the usage message.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct OptionRule {
    std::string name;  // without the dashes
    bool takesValue = false;
    bool repeatable = false;
};

// "--name VALUE", "--name=VALUE" and "--flag"; everything else is positional, and "--" ends the
// options. Values are taken exactly as given, empty ones included.
class Arguments {
public:
    Arguments(const std::vector<std::string>& args, const std::vector<OptionRule>& rules);

    bool has(const std::string& name) const { return m_values.count(name) > 0; }
    std::optional<std::string> value(const std::string& name) const;
    std::vector<std::string> values(const std::string& name) const;
    const std::vector<std::string>& positional() const { return m_positional; }

    // The value of an option the command cannot do without.
    std::string required(const std::string& name) const;
    // The required option's value as a list of names separated by commas ("Google, Yahoo"): the
    // blanks around a name are no part of it, and empty names are dropped.
    std::vector<std::string> nameList(const std::string& name) const;
    // The option's value as a whole number from min to max, or fallback when it is not given.
    // Anything else, a number out of range included, is a UsageError.
    int integer(const std::string& name, int fallback, int min, int max) const;

private:
    std::map<std::string, std::vector<std::string>> m_values;
    std::vector<std::string> m_positional;
};
