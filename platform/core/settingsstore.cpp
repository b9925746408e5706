#include "platform/core/settingsstore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/core/safefile.h"
#include "platform/core/text.h"

namespace fs = std::filesystem;

namespace {

// Key names are stored without the leading backslash: "\Software\Orlek\Ranqor" and
// "Software\Orlek\Ranqor" name the same key.
std::string normalKey(std::string_view key) {
    while (!key.empty() && (key.front() == '\\' || key.front() == '/'))
        key.remove_prefix(1);
    while (!key.empty() && (key.back() == '\\' || key.back() == '/'))
        key.remove_suffix(1);
    std::string out(key);
    for (char& c : out) {
        if (c == '/')
            c = '\\';
    }
    return out;
}

std::string escape(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\0':
                out += "\\0";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// A value name also keeps the characters that would make its line read as something else: the
// "=" that ends the name, brackets that look like a key, and a comment sign in front.
std::string escapeName(std::string_view name) {
    std::string out;
    for (char c : escape(name)) {
        if (c == '=' || c == '[' || c == ']' || c == ';' || c == '#')
            out += '\\';
        out += c;
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

// Where the "=" after a value name stands: the first one no backslash escapes.
size_t nameEnd(std::string_view line) {
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\')
            ++i;
        else if (line[i] == '=')
            return i;
    }
    return std::string_view::npos;
}

bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

bool isComment(std::string_view line) {
    size_t first = line.find_first_not_of(" \t");
    return first != std::string_view::npos && (line[first] == ';' || line[first] == '#');
}

// The settings file as its lines. Lines the store does not use (comments, lines of other
// programs) are kept as they are; only the lines of values written change.
class SettingsText {
public:
    // Throws SettingsError when the text is no settings file at all: something other than blank
    // lines and comments before the first key, a broken key line, or a NUL byte (values hold
    // theirs escaped).
    SettingsText(std::string_view text, const fs::path& file) {
        m_lines = splitLines(text);
        bool inKey = false;
        for (size_t i = 0; i < m_lines.size(); ++i) {
            std::string_view line = m_lines[i];
            if (line.find('\0') != std::string_view::npos)
                throw notSettings(file, i);
            if (line.starts_with('[')) {
                if (!line.ends_with(']') || line.size() < 2)
                    throw notSettings(file, i);
                inKey = true;
            } else if (!inKey && !isBlank(line) && !isComment(line)) {
                throw notSettings(file, i);
            }
        }
    }

    // The line of the first key of that name; npos when there is none.
    size_t findKey(std::string_view key) const {
        std::string wanted = normalKey(key);
        for (size_t i = 0; i < m_lines.size(); ++i) {
            if (isKeyLine(i) && equalsIgnoringCase(keyName(i), wanted))
                return i;
        }
        return std::string::npos;
    }

    // The line of the value in the key starting at keyLine; npos when there is none.
    size_t findValue(size_t keyLine, std::string_view name) const {
        for (size_t i = keyLine + 1; i < m_lines.size() && !isKeyLine(i); ++i) {
            size_t end = isComment(m_lines[i]) ? std::string::npos : nameEnd(m_lines[i]);
            if (end != std::string::npos &&
                equalsIgnoringCase(unescape(std::string_view(m_lines[i]).substr(0, end)), name))
                return i;
        }
        return std::string::npos;
    }

    std::string valueAt(size_t line) const {
        return unescape(std::string_view(m_lines[line]).substr(nameEnd(m_lines[line]) + 1));
    }

    size_t addKey(std::string_view key) {
        if (!m_lines.empty() && !isBlank(m_lines.back()))
            m_lines.emplace_back();
        m_lines.push_back("[" + escape(normalKey(key)) + "]");
        return m_lines.size() - 1;
    }

    void setValue(size_t keyLine, std::string_view name, std::string_view value) {
        size_t at = findValue(keyLine, name);
        if (at != std::string::npos) {
            // The name keeps the spelling it was stored with.
            std::string_view line = m_lines[at];
            m_lines[at] = std::string(line.substr(0, nameEnd(line) + 1)) + escape(value);
            return;
        }
        // After the key's last line that is not blank, so the blank line between keys stays.
        size_t last = keyLine;
        for (size_t i = keyLine + 1; i < m_lines.size() && !isKeyLine(i); ++i) {
            if (!isBlank(m_lines[i]))
                last = i;
        }
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(last) + 1,
                       escapeName(name) + "=" + escape(value));
    }

    std::string text() const {
        std::string out;
        for (const std::string& line : m_lines)
            out += line + "\n";
        return out;
    }

private:
    static SettingsError notSettings(const fs::path& file, size_t line) {
        return SettingsError("The settings file " + file.string() + " is not in the settings format (line " +
                             std::to_string(line + 1) +
                             "). It was left as it is; correct or remove it to keep settings again.");
    }

    bool isKeyLine(size_t i) const { return m_lines[i].starts_with('['); }
    std::string keyName(size_t i) const {
        return unescape(std::string_view(m_lines[i]).substr(1, m_lines[i].size() - 2));
    }

    std::vector<std::string> m_lines;
};

SettingsText load(const fs::path& file) {
    std::error_code ec;
    if (!fs::exists(file, ec))
        return SettingsText("", file);
    try {
        return SettingsText(readFileBytes(file), file);
    } catch (const FileError& e) {
        throw SettingsError(std::string("Cannot read the settings: ") + e.what());
    }
}

void save(const fs::path& file, const SettingsText& settings) {
    try {
        writeFileAtomically(file, settings.text(), true);
    } catch (const FileError& e) {
        throw SettingsError(std::string("Cannot write the settings: ") + e.what());
    }
}

// Held while a change reads, alters and writes the file, so that two programs writing at the
// same time each keep the other's values. The lock lies on a file of its own beside the settings,
// since every write replaces the settings file itself.
class WriteLock {
public:
    explicit WriteLock(const fs::path& settings) {
        fs::path lock = settings;
        lock += ".lock";
        std::error_code ec;
        if (lock.has_parent_path())
            fs::create_directories(lock.parent_path(), ec);
        m_fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd < 0)
            throw SettingsError("Cannot write the settings: " + lock.string() + ": " + std::strerror(errno));
        while (::flock(m_fd, LOCK_EX) != 0) {
            if (errno != EINTR) {
                int error = errno;
                ::close(m_fd);
                throw SettingsError("Cannot write the settings: " + lock.string() + ": " +
                                    std::strerror(error));
            }
        }
    }
    ~WriteLock() { ::close(m_fd); }
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

private:
    int m_fd = -1;
};

// A settings file reached through a link is changed where it lies.
fs::path settingsTarget(const fs::path& file) {
    try {
        return followLinks(file);
    } catch (const FileError& e) {
        throw SettingsError(std::string("Cannot read the settings: ") + e.what());
    }
}

}  // namespace

SettingsStore::SettingsStore(fs::path file) : m_file(std::move(file)) {}

fs::path SettingsStore::defaultFile() {
    if (const char* env = std::getenv("ORLEK_SETTINGS"); env && *env)
        return fs::path(env);
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return fs::path(xdg) / "orlek" / "settings.ini";
    if (const char* home = std::getenv("HOME"); home && *home) {
        return fs::path(home) / ".config" / "orlek" / "settings.ini";
    }
    return fs::temp_directory_path() / "orlek-settings.ini";
}

bool SettingsStore::keyExists(std::string_view key) const {
    return load(m_file).findKey(key) != std::string::npos;
}

void SettingsStore::createKey(std::string_view key) {
    const fs::path target = settingsTarget(m_file);
    WriteLock lock(target);
    SettingsText settings = load(target);
    if (settings.findKey(key) != std::string::npos)
        return;
    settings.addKey(key);
    save(target, settings);
}

bool SettingsStore::valueExists(std::string_view key, std::string_view name) const {
    return readValue(key, name).has_value();
}

std::optional<std::string> SettingsStore::readValue(std::string_view key, std::string_view name) const {
    SettingsText settings = load(m_file);
    size_t keyLine = settings.findKey(key);
    if (keyLine == std::string::npos)
        return std::nullopt;
    size_t valueLine = settings.findValue(keyLine, name);
    if (valueLine == std::string::npos)
        return std::nullopt;
    return settings.valueAt(valueLine);
}

void SettingsStore::writeValue(std::string_view key, std::string_view name, std::string_view value) {
    const fs::path target = settingsTarget(m_file);
    WriteLock lock(target);
    SettingsText settings = load(target);
    size_t keyLine = settings.findKey(key);
    if (keyLine == std::string::npos)
        keyLine = settings.addKey(key);
    settings.setValue(keyLine, name, value);
    save(target, settings);
}
