#pragma once

#include "net/core/tickcore.h"

#include <array>
#include <cstdint>
#include <functional>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The tokenizer's own error: code 101 for reading attributes that are not there.
class EXMLp : public EickError {
public:
    using EickError::EickError;
};

// Raised when a buffer cannot grow; the state machine is left where it stopped.
class EXMLpOutOfMemory : public std::bad_alloc {
public:
    const char* what() const noexcept override { return "Out of memory"; }
};

class TickXMLp;

using TickXMLpBeginElementEvent = std::function<void(TickXMLp* Sender, const std::string& Element)>;
using TickXMLpEmptyElementEvent = std::function<void(TickXMLp* Sender, const std::string& Element)>;
using TickXMLpEndElementEvent = std::function<void(TickXMLp* Sender, const std::string& Element)>;
using TickXMLpTextEvent = std::function<void(TickXMLp* Sender, const std::string& Text)>;
using TickXMLpEvalEntityEvent =
    std::function<void(TickXMLp* Sender, const std::string& Entity, std::string& Value)>;
using TickXMLpCommentEvent = std::function<void(TickXMLp* Sender, const std::string& Text)>;
using TickXMLpMetaEvent = std::function<void(TickXMLp* Sender, const std::string& Text)>;
using TickXMLpPIEvent = std::function<void(TickXMLp* Sender, const std::string& Text)>;
using TickXMLpSpecialSectionEvent =
    std::function<void(TickXMLp* Sender, const std::string& SectionID, const std::string& Text)>;

// A forgiving XML/HTML tokenizer: a character-driven state machine fed in pieces of any size,
// reporting what it finds through the On... events, synchronously and in document order.
// It checks nothing and never fails on malformed markup.
class TickXMLp : public TickCore {
public:
    static constexpr int MaxAttributes = 64;

    TickXMLpBeginElementEvent OnBeginElement;
    TickXMLpEmptyElementEvent OnEmptyElement;
    TickXMLpEndElementEvent OnEndElement;
    TickXMLpTextEvent OnText;
    TickXMLpEvalEntityEvent OnEvalEntity;
    TickXMLpCommentEvent OnComment;
    TickXMLpMetaEvent OnMeta;
    TickXMLpPIEvent OnPI;
    TickXMLpSpecialSectionEvent OnSpecialSection;

    TickXMLp();

    const std::string& ExtraNameChars() const { return m_extraNameChars; }
    void setExtraNameChars(const std::string& value);
    const std::string& ExtraSpaceChars() const { return m_extraSpaceChars; }
    void setExtraSpaceChars(const std::string& value);
    bool FlushOnEOL() const { return m_flushOnEOL; }
    void setFlushOnEOL(bool value) { m_flushOnEOL = value; }
    bool PreserveWhiteSpace() const { return m_preserveWhiteSpace; }
    void setPreserveWhiteSpace(bool value) { m_preserveWhiteSpace = value; }

    // Valid inside OnBeginElement and OnEmptyElement only; Index counts from 1.
    int AttrCount() const { return m_reportingElement ? m_attrCount : 0; }
    const std::string& AttrName(int Index);
    const std::string& AttrValue(int Index);

    // Runs the piece through the state machine up to its end or its first NUL character.
    void Input(std::string_view piece);
    // True: reports the pending text, then starts over with empty buffers. False does nothing.
    void Reset(bool value = true);

private:
    // Lets the tests switch the run tables off and compare with a strictly stepwise parse.
    friend struct TickXMLpProbe;

    enum State : std::uint8_t {
        Text,
        AfterLt,
        TagName,
        InTag,
        AttrNameState,
        AfterAttrName,
        BeforeValue,
        UnquotedValue,
        DQValue,
        SQValue,
        EntityInText,
        EntityInUnquoted,
        EntityInDQ,
        EntityInSQ,
        EndTagName,
        SkipToGt,
        AfterTag,
        NewlineInText,
        NewlineBeforeTag,
        DeclStart,
        CommentStart,
        Comment,
        PI,
        Decl,
        DeclBracket,
        DeclDQ,
        DeclSQ,
        SectionID,
        SectionBody,
        StateCount
    };

    static constexpr std::uint8_t NameChar = 1;
    static constexpr std::uint8_t Blank = 2;

    bool isName(unsigned char c) const { return m_tables.classes[c] & NameChar; }
    bool isBlank(unsigned char c) const { return m_tables.classes[c] & Blank; }

    void feed(const char* p, const char* end);
    const char* runEnd(const char* p, const char* end) const;
    void step(unsigned char c);
    void rebuildTables();

    void flushText();
    void emitElement();
    void addAttribute();
    void evalEntity(bool semicolon);
    const std::pair<std::string, std::string>& attribute(int index);

    std::string m_extraNameChars;
    std::string m_extraSpaceChars;
    bool m_flushOnEOL = true;
    bool m_preserveWhiteSpace = false;

    State m_state = Text;
    unsigned char m_last = 0;
    unsigned char m_beforeLast = 0;
    std::string m_text;
    std::string m_token;
    std::string m_entity;
    std::string m_entityValue;
    std::string m_element;
    std::string m_pendingName;
    // Slots are reused from element to element so their strings keep their capacity.
    std::vector<std::pair<std::string, std::string>> m_attrs;
    int m_attrCount = 0;
    bool m_reportingElement = false;

    // For a state whose run ends only at a few characters (text, quoted values, comments), those
    // characters and NUL, so the end of the run is searched 16 bytes at a time.
    struct StopSet {
        int count = 0;
        // Each stop character repeated 16 times, ready to compare with a block of input.
        alignas(16) std::array<std::array<char, 16>, 5> splats{};
    };
    struct Tables {
        std::array<std::uint8_t, 256> classes{};
        // For each state, the characters it only appends (or skips) without changing state:
        // such runs are taken in one go instead of one character at a time.
        std::array<std::array<bool, 256>, StateCount> runs{};
        // The buffer a run of each state extends; none for runs that are skipped.
        std::array<std::string TickXMLp::*, StateCount> runBuffers{};
        std::array<StopSet, StateCount> stops{};
    };
    static void buildTables(Tables& tables, const std::string& extraNameChars,
                            const std::string& extraSpaceChars);
    static bool extendsRun(const Tables& tables, State state, unsigned char c);
    Tables m_tables;
};
