#include "sitetools/core/tickxmlp.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The fast half of the tokenizer: characters that only extend a buffer (or are skipped) without
// changing the state are taken as whole runs; every other character goes through step().

void TickXMLp::feed(const char* p, const char* end) {
    while (p < end) {
        const auto& run = m_runs[m_state];
        if (run[static_cast<unsigned char>(*p)]) {
            const char* q = runEnd(p + 1, end);
            switch (run[static_cast<unsigned char>(*p)]) {
                case RunText:
                    m_text.append(p, q - p);
                    break;
                case RunToken:
                    m_token.append(p, q - p);
                    break;
                case RunEntity:
                    m_entity.append(p, q - p);
                    break;
                default:
                    break;
            }
            m_beforeLast = q - p >= 2 ? static_cast<unsigned char>(q[-2]) : m_last;
            m_last = static_cast<unsigned char>(q[-1]);
            p = q;
            continue;
        }
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
            m_beforeLast = m_last;
            m_last = c;
            ++p;
            continue;
        }
        step(c);
        m_beforeLast = m_last;
        m_last = c;
        ++p;
    }
}

const char* TickXMLp::runEnd(const char* p, const char* end) const {
    const auto& run = m_runs[m_state];
#if defined(__SSE2__)
    const StopSet& stops = m_stops[m_state];
    if (stops.count > 0) {
        __m128i wanted[5];
        for (int i = 0; i < 5; ++i) {
            wanted[i] = _mm_load_si128(reinterpret_cast<const __m128i*>(stops.splats[i].data()));
        }
        for (; end - p >= 16; p += 16) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            __m128i hits = _mm_cmpeq_epi8(block, wanted[0]);
            for (int i = 1; i < 5; ++i) {
                hits = _mm_or_si128(hits, _mm_cmpeq_epi8(block, wanted[i]));
            }
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
    m_classes.fill(0);
    for (int c = 0; c < 256; ++c) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            m_classes[c] |= NameChar;
        }
        if ((c >= 9 && c <= 13) || c == ' ') {
            m_classes[c] |= Blank;
        }
    }
    for (char c : m_extraNameChars) {
        m_classes[static_cast<unsigned char>(c)] |= NameChar;
    }
    for (char c : m_extraSpaceChars) {
        m_classes[static_cast<unsigned char>(c)] |= Blank;
    }

    // Each entry repeats the condition of step()'s branch that appends (or skips) and stays.
    for (int s = 0; s < StateCount; ++s) {
        auto& run = m_runs[s];
        run.fill(RunNone);
        for (int i = 1; i < 256; ++i) {
            const auto c = static_cast<unsigned char>(i);
            const bool name = isName(c);
            const bool blank = isBlank(c);
            bool stays = false;
            RunTarget target = RunToken;
            switch (static_cast<State>(s)) {
                case Text:
                    stays = c != '\n' && c != '&' && c != '<';
                    target = RunText;
                    break;
                case TagName:
                case EndTagName:
                    stays = name;
                    break;
                case InTag:
                    stays = blank || c == '/';
                    target = RunSkip;
                    break;
                case AttrNameState:
                    stays = !blank && c != '/' && c != '=' && c != '>';
                    break;
                case AfterAttrName:
                case BeforeValue:
                    stays = blank;
                    target = RunSkip;
                    break;
                case UnquotedValue:
                    stays = c != '&' && !blank && c != '>';
                    break;
                case DQValue:
                    stays = c != '"' && c != '&';
                    break;
                case SQValue:
                    stays = c != '\'' && c != '&';
                    break;
                case EntityInText:
                case EntityInUnquoted:
                case EntityInDQ:
                case EntityInSQ:
                    stays = name || c == '#';
                    target = RunEntity;
                    break;
                case SkipToGt:
                    stays = c != '>';
                    target = RunSkip;
                    break;
                case Comment:
                case PI:
                    stays = c != '>';
                    break;
                case Decl:
                    stays = c != '>' && c != '[' && c != '"' && c != '\'';
                    break;
                case DeclBracket:
                    stays = c != ']';
                    break;
                case DeclDQ:
                    stays = c != '"';
                    break;
                case DeclSQ:
                    stays = c != '\'';
                    break;
                case SectionID:
                    stays = c != '[' && !blank;
                    break;
                case SectionBody:
                    stays = c != '>';
                    target = RunText;
                    break;
                default:
                    break;
            }
            if (stays) {
                run[i] = target;
            }
        }
        StopSet& stops = m_stops[s];
        stops.count = 0;
        for (int i = 0; i < 256; ++i) {
            if (run[i] == RunNone) {
                if (stops.count == static_cast<int>(stops.splats.size())) {
                    stops.count = 0;
                    break;
                }
                stops.splats[stops.count++].fill(static_cast<char>(i));
            }
        }
        // Unused slots repeat NUL, which is always a stop character.
        for (int i = stops.count; i < static_cast<int>(stops.splats.size()); ++i) {
            stops.splats[i].fill(0);
        }
    }
}
