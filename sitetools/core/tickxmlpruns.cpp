#include "sitetools/core/tickxmlp.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The fast half of the tokenizer: characters that only extend a buffer (or are skipped) without
// changing the state are taken as whole runs; every other character goes through step().

void TickXMLp::feed(const char* p, const char* end) {
    while (p < end) {
        if (m_tables.runs[m_state][static_cast<unsigned char>(*p)]) {
            const char* q = runEnd(p + 1, end);
            if (const auto buffer = m_tables.runBuffers[m_state]) {
                (this->*buffer).append(p, q - p);
            }
            m_beforeLast = q - p >= 2 ? static_cast<unsigned char>(q[-2]) : m_last;
            m_last = static_cast<unsigned char>(q[-1]);
            p = q;
            if (p == end) {
                return;
            }
        }
        // Here the character ends a run or cannot start one: it goes through the state table.
        const auto c = static_cast<unsigned char>(*p);
        if (c == 0) {
            return;
        }
        // A line feed in text followed by anything but "<" ends the text run at once; this is
        // what the NewlineInText state does on its next character, without the detour.
        if (c == '\n' && m_state == Text && end - p >= 2 && p[1] != '<' && p[1] != 0) {
            m_text += '\n';
            if (m_flushOnEOL) {
                flushText();
            }
        } else {
            step(c);
        }
        m_beforeLast = m_last;
        m_last = c;
        ++p;
    }
}

const char* TickXMLp::runEnd(const char* p, const char* end) const {
    const auto& run = m_tables.runs[m_state];
#if defined(__SSE2__)
    const StopSet& stops = m_tables.stops[m_state];
    if (stops.count > 0) {
        const auto splat = [&stops](int i) {
            return _mm_load_si128(reinterpret_cast<const __m128i*>(stops.splats[i].data()));
        };
        const __m128i s0 = splat(0), s1 = splat(1), s2 = splat(2), s3 = splat(3), s4 = splat(4);
        for (; end - p >= 16; p += 16) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i hits =
                _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, s0), _mm_cmpeq_epi8(block, s1)),
                             _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, s2), _mm_cmpeq_epi8(block, s3)),
                                          _mm_cmpeq_epi8(block, s4)));
            if (const int mask = _mm_movemask_epi8(hits)) {
                return p + __builtin_ctz(static_cast<unsigned>(mask));
            }
        }
    }
#endif
    while (p < end && run[static_cast<unsigned char>(*p)]) {
        ++p;
    }
    return p;
}

void TickXMLp::rebuildTables() {
    // Parsers without extra characters share one set of tables, built once.
    if (m_extraNameChars.empty() && m_extraSpaceChars.empty()) {
        static const Tables plain = [] {
            Tables tables;
            buildTables(tables, {}, {});
            return tables;
        }();
        m_tables = plain;
    } else {
        buildTables(m_tables, m_extraNameChars, m_extraSpaceChars);
    }
}

void TickXMLp::buildTables(Tables& tables, const std::string& extraNameChars,
                           const std::string& extraSpaceChars) {
    tables.classes.fill(0);
    for (int c = 0; c < 256; ++c) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            tables.classes[c] |= NameChar;
        }
        if ((c >= 9 && c <= 13) || c == ' ') {
            tables.classes[c] |= Blank;
        }
    }
    for (char c : extraNameChars) {
        tables.classes[static_cast<unsigned char>(c)] |= NameChar;
    }
    for (char c : extraSpaceChars) {
        tables.classes[static_cast<unsigned char>(c)] |= Blank;
    }

    for (int s = 0; s < StateCount; ++s) {
        const auto state = static_cast<State>(s);
        auto& run = tables.runs[s];
        for (int c = 0; c < 256; ++c) {
            run[c] = c != 0 && extendsRun(tables, state, static_cast<unsigned char>(c));
        }
        switch (state) {
            case Text:
            case SectionBody:
                tables.runBuffers[s] = &TickXMLp::m_text;
                break;
            case EntityInText:
            case EntityInUnquoted:
            case EntityInDQ:
            case EntityInSQ:
                tables.runBuffers[s] = &TickXMLp::m_entity;
                break;
            case InTag:
            case AfterAttrName:
            case BeforeValue:
            case SkipToGt:
                tables.runBuffers[s] = nullptr;
                break;
            default:
                tables.runBuffers[s] = &TickXMLp::m_token;
                break;
        }
        StopSet& stops = tables.stops[s];
        stops.count = 0;
        for (int c = 0; c < 256; ++c) {
            if (!run[c]) {
                if (stops.count == static_cast<int>(stops.splats.size())) {
                    stops.count = 0;
                    break;
                }
                stops.splats[stops.count++].fill(static_cast<char>(c));
            }
        }
        // Unused slots repeat NUL, which is always a stop character.
        for (int i = stops.count; i < static_cast<int>(stops.splats.size()); ++i) {
            stops.splats[i].fill(0);
        }
    }
}

// True when step() would only append the character to the state's buffer (or skip it) and stay;
// each case repeats the condition of that branch of the state table.
bool TickXMLp::extendsRun(const Tables& tables, State state, unsigned char c) {
    const bool name = tables.classes[c] & NameChar;
    const bool blank = tables.classes[c] & Blank;
    switch (state) {
        case Text:
            return c != '\n' && c != '&' && c != '<';
        case TagName:
        case EndTagName:
            return name;
        case InTag:
            return blank || c == '/';
        case AttrNameState:
            return !blank && c != '/' && c != '=' && c != '>';
        case AfterAttrName:
        case BeforeValue:
            return blank;
        case UnquotedValue:
            return c != '&' && !blank && c != '>';
        case DQValue:
            return c != '"' && c != '&';
        case SQValue:
            return c != '\'' && c != '&';
        case EntityInText:
        case EntityInUnquoted:
        case EntityInDQ:
        case EntityInSQ:
            return name || c == '#';
        case SkipToGt:
        case Comment:
        case PI:
        case SectionBody:
            return c != '>';
        case Decl:
            return c != '>' && c != '[' && c != '"' && c != '\'';
        case DeclBracket:
            return c != ']';
        case DeclDQ:
            return c != '"';
        case DeclSQ:
            return c != '\'';
        case SectionID:
            return c != '[' && !blank;
        default:
            return false;
    }
}
