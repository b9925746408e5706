#include "platform/displaytext.h"

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
const char16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t cp1252(unsigned char byte) {
    return (byte >= 0x80 && byte <= 0x9F) ? kCp1252High[byte - 0x80] : char16_t(byte);
}

// Length of the valid UTF-8 sequence at bytes[i], or 0 when there is none.
size_t utf8Length(std::string_view bytes, size_t i, char32_t& code) {
    auto b = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
    unsigned char lead = b(i);
    size_t length;
    char32_t min;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1F, min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0F, min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((b(i + k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (b(i + k) & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

}  // namespace

QString toDisplay(std::string_view bytes) {
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    size_t i = 0;
    while (i < bytes.size()) {
        unsigned char byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            out += QChar(byte);
            ++i;
            continue;
        }
        char32_t code = 0;
        if (size_t length = utf8Length(bytes, i, code)) {
            out += QString::fromUcs4(&code, 1);
            i += length;
        } else {
            out += QChar(cp1252(byte));
            ++i;
        }
    }
    return out;
}

std::string fromDisplay(const QString& text) {
    return text.toStdString();
}

void LineBytes::remember(std::string_view bytes) {
    size_t start = 0;
    while (start <= bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", start);
        std::string_view line =
            bytes.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        std::string shown = fromDisplay(toDisplay(line));
        if (shown != line)
            m_lines.emplace(std::move(shown), std::string(line));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
}

std::string LineBytes::restore(std::string_view text) const {
    if (m_lines.empty())
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    size_t start = 0;
    for (;;) {
        size_t end = text.find_first_of("\r\n", start);
        std::string line(
            text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        auto found = m_lines.find(line);
        out += found == m_lines.end() ? line : found->second;
        if (end == std::string_view::npos)
            break;
        out += text[end];
        start = end + 1;
    }
    return out;
}
