#include "sitetools/core/tickxmlp.h"

namespace {

constexpr int InitialCapacity = 100;

// Removes up to `count` trailing copies of `c` that the closing sequence left in the buffer.
void dropTrailing(std::string& buffer, char c, int count) {
    while (count-- > 0 && !buffer.empty() && buffer.back() == c) {
        buffer.pop_back();
    }
}

}  // namespace

TickXMLp::TickXMLp() {
    for (std::string* buffer : {&m_text, &m_token, &m_entity, &m_entityValue, &m_element, &m_pendingName}) {
        buffer->reserve(InitialCapacity);
    }
    m_attrs.reserve(MaxAttributes);
    rebuildTables();
}

void TickXMLp::setExtraNameChars(const std::string& value) {
    if (value != m_extraNameChars) {
        m_extraNameChars = value;
        rebuildTables();
    }
}

void TickXMLp::setExtraSpaceChars(const std::string& value) {
    if (value != m_extraSpaceChars) {
        m_extraSpaceChars = value;
        rebuildTables();
    }
}

const std::pair<std::string, std::string>& TickXMLp::attribute(int index) {
    if (AttrCount() == 0) {
        raiseError<EXMLp>(101, "No attributes available.");
    }
    if (index < 1 || index > m_attrCount) {
        raiseError<EXMLp>(101, "Invalid attribute index.");
    }
    return m_attrs[index - 1];
}

const std::string& TickXMLp::AttrName(int Index) {
    return attribute(Index).first;
}

const std::string& TickXMLp::AttrValue(int Index) {
    return attribute(Index).second;
}

void TickXMLp::Input(std::string_view piece) {
    try {
        feed(piece.data(), piece.data() + piece.size());
    } catch (const std::bad_alloc&) {
        throw EXMLpOutOfMemory();
    }
}

void TickXMLp::Reset(bool value) {
    if (!value) {
        return;
    }
    try {
        // Characters the state still holds back are text when the document ends there.
        switch (m_state) {
            case NewlineBeforeTag:
                m_text += '\n';
                if (m_flushOnEOL) {
                    flushText();
                }
                m_text += '<';
                break;
            case AfterLt:
                m_text += '<';
                break;
            case NewlineInText:
                m_text += '\n';
                break;
            case EntityInText:
                evalEntity(false);
                m_text += m_entityValue;
                break;
            default:
                break;
        }
        flushText();
    } catch (const std::bad_alloc&) {
        throw EXMLpOutOfMemory();
    }
    m_state = Text;
    m_last = 0;
    m_beforeLast = 0;
    for (std::string* buffer : {&m_text, &m_token, &m_entity, &m_entityValue, &m_element, &m_pendingName}) {
        buffer->clear();
    }
    m_attrCount = 0;
}

void TickXMLp::flushText() {
    if (m_text.empty()) {
        return;
    }
    if (OnText) {
        OnText(this, m_text);
    }
    m_text.clear();
}

void TickXMLp::emitElement() {
    // The list is emptied even when a handler throws, so no stale attributes outlive the event.
    struct EndOfEvent {
        TickXMLp* self;
        ~EndOfEvent() {
            self->m_reportingElement = false;
            self->m_attrCount = 0;
            self->m_element.clear();
        }
    } endOfEvent{this};
    m_reportingElement = true;
    auto& handler = m_last == '/' ? OnEmptyElement : OnBeginElement;
    if (handler) {
        handler(this, m_element);
    }
}

void TickXMLp::addAttribute() {
    if (m_attrCount < MaxAttributes) {
        if (static_cast<int>(m_attrs.size()) == m_attrCount) {
            m_attrs.emplace_back();
        }
        auto& slot = m_attrs[m_attrCount++];
        slot.first.assign(m_pendingName);
        slot.second.assign(m_token);
    }
    m_pendingName.clear();
    m_token.clear();
}

void TickXMLp::evalEntity(bool semicolon) {
    flushText();
    m_entityValue.assign(1, '&');
    m_entityValue += m_entity;
    if (semicolon) {
        m_entityValue += ';';
    }
    if (OnEvalEntity) {
        OnEvalEntity(this, m_entity, m_entityValue);
    }
    m_entity.clear();
}

void TickXMLp::step(unsigned char c) {
    for (;;) {
        switch (m_state) {
            case Text:
                if (c == '\n') {
                    m_state = NewlineInText;
                } else if (c == '&') {
                    m_entity.clear();
                    m_state = EntityInText;
                } else if (c == '<') {
                    m_token.clear();
                    m_state = AfterLt;
                } else {
                    m_text += static_cast<char>(c);
                }
                return;
            case AfterLt:
                if (isName(c) || c == '!' || c == '/' || c == '?') {
                    m_state = TagName;
                } else {
                    m_text += '<';
                    m_state = Text;
                }
                continue;
            case TagName:
                if (isName(c)) {
                    m_token += static_cast<char>(c);
                } else if (c == '!') {
                    m_token.clear();
                    flushText();
                    m_state = DeclStart;
                } else if (c == '?') {
                    m_token.clear();
                    flushText();
                    m_state = PI;
                } else if (c == '/' && m_last == '<') {
                    m_state = EndTagName;
                } else {
                    flushText();
                    m_element.assign(m_token);
                    m_token.clear();
                    m_pendingName.clear();
                    if (c == '>') {
                        emitElement();
                        m_state = AfterTag;
                    } else {
                        m_state = InTag;
                    }
                }
                return;
            case InTag:
                if (isBlank(c) || c == '/') {
                } else if (c == '>') {
                    emitElement();
                    m_state = AfterTag;
                } else {
                    m_token.assign(1, static_cast<char>(c));
                    m_state = AttrNameState;
                }
                return;
            case AttrNameState:
                if (!isBlank(c) && c != '/' && c != '=' && c != '>') {
                    m_token += static_cast<char>(c);
                } else if (isBlank(c)) {
                    m_pendingName.assign(m_token);
                    m_token.clear();
                    m_state = AfterAttrName;
                } else if (c == '=') {
                    m_pendingName.assign(m_token);
                    m_token.clear();
                    m_state = BeforeValue;
                } else if (c == '/') {
                    m_pendingName.assign(m_token);
                    m_token.clear();
                    addAttribute();
                    m_state = AfterAttrName;
                } else {
                    m_pendingName.assign(m_token);
                    m_token.clear();
                    addAttribute();
                    emitElement();
                    m_state = AfterTag;
                }
                return;
            case AfterAttrName:
                if (isBlank(c)) {
                } else if (c == '=') {
                    m_state = BeforeValue;
                } else if (c == '>') {
                    if (!m_pendingName.empty()) {
                        addAttribute();
                    }
                    emitElement();
                    m_state = AfterTag;
                } else {
                    if (!m_pendingName.empty()) {
                        addAttribute();
                    }
                    m_token.assign(1, static_cast<char>(c));
                    m_state = AttrNameState;
                }
                return;
            case BeforeValue:
                if (isBlank(c)) {
                } else if (c == '"') {
                    m_state = DQValue;
                } else if (c == '\'') {
                    m_state = SQValue;
                } else if (c == '&') {
                    m_entity.clear();
                    m_state = EntityInUnquoted;
                } else if (c == '>') {
                    m_token.clear();
                    addAttribute();
                    emitElement();
                    m_state = AfterTag;
                } else {
                    m_token.assign(1, static_cast<char>(c));
                    m_state = UnquotedValue;
                }
                return;
            case UnquotedValue:
                if (c == '&') {
                    m_entity.clear();
                    m_state = EntityInUnquoted;
                } else if (isBlank(c)) {
                    addAttribute();
                    m_state = InTag;
                } else if (c == '>') {
                    if (m_last == '/') {
                        dropTrailing(m_token, '/', 1);
                    }
                    addAttribute();
                    emitElement();
                    m_state = AfterTag;
                } else {
                    m_token += static_cast<char>(c);
                }
                return;
            case DQValue:
            case SQValue: {
                const char quote = m_state == DQValue ? '"' : '\'';
                if (c == quote) {
                    addAttribute();
                    m_state = InTag;
                } else if (c == '&') {
                    m_entity.clear();
                    m_state = m_state == DQValue ? EntityInDQ : EntityInSQ;
                } else {
                    m_token += static_cast<char>(c);
                }
                return;
            }
            case EntityInText:
                if (isName(c) || c == '#') {
                    m_entity += static_cast<char>(c);
                    return;
                }
                evalEntity(c == ';');
                m_text += m_entityValue;
                m_state = Text;
                if (c == ';') {
                    return;
                }
                continue;
            case EntityInUnquoted:
            case EntityInDQ:
            case EntityInSQ:
                if (isName(c) || c == '#') {
                    m_entity += static_cast<char>(c);
                    return;
                }
                evalEntity(c == ';');
                m_token += m_entityValue;
                m_state = m_state == EntityInUnquoted ? UnquotedValue
                          : m_state == EntityInDQ     ? DQValue
                                                      : SQValue;
                if (c == ';') {
                    return;
                }
                continue;
            case EndTagName:
                if (isName(c)) {
                    m_token += static_cast<char>(c);
                } else {
                    flushText();
                    if (OnEndElement) {
                        OnEndElement(this, m_token);
                    }
                    m_token.clear();
                    m_state = c == '>' ? Text : SkipToGt;
                }
                return;
            case SkipToGt:
                if (c == '>') {
                    m_state = Text;
                }
                return;
            case AfterTag:
                if (c == '\n' && !m_preserveWhiteSpace) {
                    return;
                }
                m_state = Text;
                continue;
            case NewlineInText:
                if (c == '<') {
                    m_token.clear();
                    m_state = NewlineBeforeTag;
                    return;
                }
                m_text += '\n';
                if (m_flushOnEOL) {
                    flushText();
                }
                m_state = Text;
                continue;
            case NewlineBeforeTag:
                if (c != '/' || m_preserveWhiteSpace) {
                    m_text += '\n';
                    if (m_flushOnEOL) {
                        flushText();
                    }
                }
                m_state = AfterLt;
                continue;
            case DeclStart:
                if (c == '[') {
                    m_state = SectionID;
                } else if (c == '-') {
                    m_token.assign(1, '-');
                    m_state = CommentStart;
                } else {
                    m_token.assign(1, static_cast<char>(c));
                    m_state = Decl;
                }
                return;
            case CommentStart:
                if (c == '-') {
                    m_token.clear();
                    m_state = Comment;
                } else {
                    m_token += static_cast<char>(c);
                    m_state = Decl;
                }
                return;
            case Comment:
                if (c == '>' && m_last == '-' && m_beforeLast == '-') {
                    dropTrailing(m_token, '-', 2);
                    flushText();
                    if (OnComment) {
                        OnComment(this, m_token);
                    }
                    m_token.clear();
                    m_state = AfterTag;
                } else {
                    m_token += static_cast<char>(c);
                }
                return;
            case PI:
                if (c == '>' && m_last == '?') {
                    dropTrailing(m_token, '?', 1);
                    flushText();
                    if (OnPI) {
                        OnPI(this, m_token);
                    }
                    m_token.clear();
                    m_state = AfterTag;
                } else {
                    m_token += static_cast<char>(c);
                }
                return;
            case Decl:
                if (c == '>') {
                    flushText();
                    if (OnMeta) {
                        OnMeta(this, m_token);
                    }
                    m_token.clear();
                    m_state = AfterTag;
                    return;
                }
                m_token += static_cast<char>(c);
                if (c == '[') {
                    m_state = DeclBracket;
                } else if (c == '"') {
                    m_state = DeclDQ;
                } else if (c == '\'') {
                    m_state = DeclSQ;
                }
                return;
            case DeclBracket:
            case DeclDQ:
            case DeclSQ: {
                m_token += static_cast<char>(c);
                const char close = m_state == DeclBracket ? ']' : m_state == DeclDQ ? '"' : '\'';
                if (c == close) {
                    m_state = Decl;
                }
                return;
            }
            case SectionID:
                if (c == '[') {
                    m_state = SectionBody;
                } else if (!isBlank(c)) {
                    m_token += static_cast<char>(c);
                }
                return;
            case SectionBody:
                if (c == '>' && m_last == ']' && m_beforeLast == ']') {
                    dropTrailing(m_text, ']', 2);
                    if (OnSpecialSection) {
                        OnSpecialSection(this, m_token, m_text);
                    }
                    m_token.clear();
                    m_text.clear();
                    m_state = Text;
                } else {
                    m_text += static_cast<char>(c);
                }
                return;
            case StateCount:
                return;
        }
    }
}
