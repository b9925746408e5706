#include "platform/core/settingsstore.h"

#include <cstdlib>
#include <vector>

#include "platform/core/safefile.h"
#include "platform/core/text.h"

namespace fs = std::filesystem;

namespace {

struct Value {
    std::string name;
    std::string text;
};

struct Key {
    std::string name;
    std::vector<Value> values;
};

// Key names are stored without the leading backslash: "\Software\Orlek\Ranqor" and
// "Software\Orlek\Ranqor" name the same key.
std::string normalKey(std::string_view key) {
    while (!key.empty() && (key.front() == '\\' || key.front() == '/')) key.remove_prefix(1);
    while (!key.empty() && (key.back() == '\\' || key.back() == '/')) key.remove_suffix(1);
    std::string out(key);
    for (char& c : out) {
        if (c == '/') c = '\\';
    }
    return out;
}

std::string escape(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            case '\0': out += "\\0"; break;
            default: out += c;
        }
    }
    return out;
}

std::string unescape(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            char n = text[++i];
            out += n == 'r' ? '\r' : n == 'n' ? '\n' : n == '0' ? '\0' : n;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::vector<Key> load(const fs::path& file) {
    std::vector<Key> keys;
    std::error_code ec;
    if (!fs::exists(file, ec)) return keys;
    std::string data;
    try {
        data = readFileBytes(file);
    } catch (const FileError& e) {
        throw SettingsError(std::string("Cannot read the settings: ") + e.what());
    }
    for (const std::string& line : splitLines(data)) {
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            keys.push_back({unescape(std::string_view(line).substr(1, line.size() - 2)), {}});
        } else if (!keys.empty()) {
            size_t eq = line.find('=');
            if (eq == std::string::npos) continue;
            keys.back().values.push_back({unescape(line.substr(0, eq)), unescape(line.substr(eq + 1))});
        }
    }
    return keys;
}

void save(const fs::path& file, const std::vector<Key>& keys) {
    std::string data;
    for (const Key& key : keys) {
        data += "[" + escape(key.name) + "]\n";
        for (const Value& value : key.values) {
            std::string name = escape(value.name);
            for (char& c : name) {
                if (c == '=') c = '_';
            }
            data += name + "=" + escape(value.text) + "\n";
        }
        data += "\n";
    }
    try {
        writeFileAtomically(file, data, true);
    } catch (const FileError& e) {
        throw SettingsError(std::string("Cannot write the settings: ") + e.what());
    }
}

Key* findKey(std::vector<Key>& keys, std::string_view key) {
    std::string wanted = normalKey(key);
    for (Key& k : keys) {
        if (equalsIgnoringCase(k.name, wanted)) return &k;
    }
    return nullptr;
}

Value* findValue(Key& key, std::string_view name) {
    for (Value& v : key.values) {
        if (equalsIgnoringCase(v.name, name)) return &v;
    }
    return nullptr;
}

}  // namespace

SettingsStore::SettingsStore(fs::path file) : m_file(std::move(file)) {}

fs::path SettingsStore::defaultFile() {
    if (const char* env = std::getenv("ORLEK_SETTINGS"); env && *env) return fs::path(env);
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) return fs::path(xdg) / "orlek" / "settings.ini";
    if (const char* home = std::getenv("HOME"); home && *home) {
        return fs::path(home) / ".config" / "orlek" / "settings.ini";
    }
    return fs::temp_directory_path() / "orlek-settings.ini";
}

bool SettingsStore::keyExists(std::string_view key) const {
    auto keys = load(m_file);
    return findKey(keys, key) != nullptr;
}

void SettingsStore::createKey(std::string_view key) {
    auto keys = load(m_file);
    if (findKey(keys, key)) return;
    keys.push_back({normalKey(key), {}});
    save(m_file, keys);
}

bool SettingsStore::valueExists(std::string_view key, std::string_view name) const {
    return readValue(key, name).has_value();
}

std::optional<std::string> SettingsStore::readValue(std::string_view key, std::string_view name) const {
    auto keys = load(m_file);
    Key* k = findKey(keys, key);
    if (!k) return std::nullopt;
    Value* v = findValue(*k, name);
    if (!v) return std::nullopt;
    return v->text;
}

void SettingsStore::writeValue(std::string_view key, std::string_view name, std::string_view value) {
    auto keys = load(m_file);
    Key* k = findKey(keys, key);
    if (!k) {
        keys.push_back({normalKey(key), {}});
        k = &keys.back();
    }
    if (Value* v = findValue(*k, name)) {
        v->text = value;
    } else {
        k->values.push_back({std::string(name), std::string(value)});
    }
    save(m_file, keys);
}
