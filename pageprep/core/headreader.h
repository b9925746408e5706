#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

// Reads a page's title and its description and keywords meta tags from the page's head. The page
// is bytes: one byte is one character, nothing is decoded.

// The page cannot be used: "The File '<page>' is not a valid HTML 3.2 File\r(<reason>)".
class EInvalidHTMLFile : public std::runtime_error {
public:
    EInvalidHTMLFile(std::string_view pageName, std::string_view reason);
};

// A malformed tag; the message says which.
class EInvalidMetaTag : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A meta line with "=" right after "<META ": not one of the reader's error kinds, so the
// readiness check does not catch it and it ends the check without a report.
class EMetaTagGeneralError : public std::runtime_error {
public:
    EMetaTagGeneralError() : std::runtime_error("not valid meta tag") {}
};

struct PageHead {
    std::string title;
    std::string description;
    std::string keywords;

    bool operator==(const PageHead&) const = default;
};

// Step texts are meant for the status panel, followed by a short pause that lets the window
// repaint; a line text comes once per head line joined and wants no pause.
enum class HeadProgressKind { Step, Line };
using HeadProgress = std::function<void(std::string_view text, HeadProgressKind kind)>;

// Fills `head` from the page text. The title is delivered as soon as it has been read, so after
// a fault `head` holds the title read so far and empty description and keywords. Faults leave as
// EInvalidHTMLFile, EInvalidMetaTag or EMetaTagGeneralError. `pageName` goes into messages and
// progress texts.
void ReadPageHead(std::string_view pageText, std::string_view pageName, PageHead& head,
                  const HeadProgress& progress = {});
