// Feeds TickXMLp random bytes in random pieces and checks that the pieces, and the strictly
// stepwise parse, give exactly the events of the whole document. Any difference, any sanitizer
// report and any uncaught exception is a crash.

#include "sitetools/core/tickxmlp.h"

#include "sitetools/tests/xmlevents.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Four bytes of set-up: option flags, the start of the piece-size sequence, two extra characters.
    if (size < 4) {
        return 0;
    }
    XmlOptions options;
    options.flushOnEOL = data[0] & 1;
    options.preserveWhiteSpace = data[0] & 2;
    options.evalEntities = data[0] & 4;
    if (data[0] & 8) {
        options.extraNameChars.assign(1, static_cast<char>(data[2]));
    }
    if (data[0] & 16) {
        options.extraSpaceChars.assign(1, static_cast<char>(data[3]));
    }
    std::mt19937 random(data[1]);
    const std::string_view document(reinterpret_cast<const char*>(data + 4), size - 4);

    const auto pieces = randomPieces(document, random, 1 + data[1] % 64);
    // Each piece is read up to its first NUL, so that is the document the pieces make.
    std::string readable;
    for (std::string_view piece : pieces) {
        readable += piece.substr(0, piece.find('\0'));
    }
    const auto expected = tokenize(readable, options);
    if (tokenize(pieces, options) != expected) {
        __builtin_trap();
    }
    options.stepwise = true;
    if (tokenize(readable, options) != expected) {
        __builtin_trap();
    }
    return 0;
}
