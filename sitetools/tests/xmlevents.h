#pragma once

#include "sitetools/core/tickxmlp.h"

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <vector>

// Records every event of a tokenizer as one readable line, attributes included, so whole event
// streams compare with ==. Plain C++ so the fuzz targets share it.
class XmlEvents {
public:
    // With `evalEntities`, the entity handler is installed and records its calls; the value is
    // left as written unless `entityValue` is set.
    explicit XmlEvents(TickXMLp& parser, bool evalEntities = false) {
        parser.OnBeginElement = [this](TickXMLp* sender, const std::string& element) {
            events.push_back("begin " + element + attributes(*sender));
        };
        parser.OnEmptyElement = [this](TickXMLp* sender, const std::string& element) {
            events.push_back("empty " + element + attributes(*sender));
        };
        parser.OnEndElement = [this](TickXMLp*, const std::string& element) {
            events.push_back("end " + element);
        };
        parser.OnText = [this](TickXMLp* sender, const std::string& text) {
            events.push_back("text " + text);
            if (text.empty() || sender->AttrCount() != 0) {
                events.push_back("FAULT: empty text or attributes outside an element event");
            }
        };
        parser.OnComment = [this](TickXMLp*, const std::string& text) {
            events.push_back("comment " + text);
        };
        parser.OnMeta = [this](TickXMLp*, const std::string& text) { events.push_back("meta " + text); };
        parser.OnPI = [this](TickXMLp*, const std::string& text) { events.push_back("pi " + text); };
        parser.OnSpecialSection = [this](TickXMLp*, const std::string& id, const std::string& text) {
            events.push_back("section " + id + "|" + text);
        };
        if (evalEntities) {
            parser.OnEvalEntity = [this](TickXMLp*, const std::string& entity, std::string& value) {
                events.push_back("entity " + entity + "|" + value);
                if (!entityValue.empty()) {
                    value = entityValue;
                }
            };
        }
    }

    std::vector<std::string> events;
    std::string entityValue;

private:
    static std::string attributes(TickXMLp& parser) {
        std::string out;
        for (int i = 1; i <= parser.AttrCount(); ++i) {
            out += " [" + parser.AttrName(i) + "=" + parser.AttrValue(i) + "]";
        }
        return out;
    }
};

struct TickXMLpProbe {
    // Every character then goes through the state table one at a time.
    static void disableRuns(TickXMLp& parser) {
        for (auto& run : parser.m_tables.runs) {
            run.fill(false);
        }
    }
};

struct XmlOptions {
    std::string extraNameChars;
    std::string extraSpaceChars;
    bool flushOnEOL = true;
    bool preserveWhiteSpace = false;
    bool evalEntities = false;
    bool stepwise = false;
};

inline void applyOptions(TickXMLp& parser, const XmlOptions& options) {
    parser.setExtraNameChars(options.extraNameChars);
    parser.setExtraSpaceChars(options.extraSpaceChars);
    parser.setFlushOnEOL(options.flushOnEOL);
    parser.setPreserveWhiteSpace(options.preserveWhiteSpace);
    if (options.stepwise) {
        TickXMLpProbe::disableRuns(parser);
    }
}

// The events of one document fed in the given pieces, between two resets.
inline std::vector<std::string> tokenize(const std::vector<std::string_view>& pieces,
                                         const XmlOptions& options = {}) {
    TickXMLp parser;
    applyOptions(parser, options);
    XmlEvents recorder(parser, options.evalEntities);
    parser.Reset(true);
    for (std::string_view piece : pieces) {
        parser.Input(piece);
    }
    parser.Reset(true);
    return recorder.events;
}

inline std::vector<std::string> tokenize(std::string_view document, const XmlOptions& options = {}) {
    return tokenize(std::vector<std::string_view>{document}, options);
}

// Cuts the document into pieces of random sizes up to `maxPiece`, empty pieces included.
inline std::vector<std::string_view> randomPieces(std::string_view document, std::mt19937& random,
                                                  std::size_t maxPiece) {
    std::vector<std::string_view> pieces;
    std::uniform_int_distribution<std::size_t> size(0, maxPiece);
    std::size_t at = 0;
    while (at < document.size()) {
        const std::size_t n = std::min(size(random), document.size() - at);
        pieces.push_back(document.substr(at, n));
        at += n;
    }
    return pieces;
}
