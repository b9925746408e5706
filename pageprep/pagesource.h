#pragma once

#include <optional>
#include <string>

#include "pageprep/core/projectcontext.h"

class ProgramFolder;
class TickHTTP;
class TickHTTPS;

// The user agents the readiness check fetches pages with, plain and secure.
inline constexpr const char* kMetaVerificationAgent = "Orlek - Meta verification Utility";
inline constexpr const char* kSecureVerificationAgent = "Orlek -Secure Verify";

// Where the page the readiness check reads comes from: for a local web the file the entry names;
// for a web on the net the copy of web path + "/" + entry fetched into "temp\temp.htm" (plain or
// secure by the web type), which every fetch replaces. A page past 16 MiB is no page: its fetch fails.
class PageSource {
public:
    PageSource(const ProgramFolder& folder, TickHTTP& plain, TickHTTPS& secure);

    // The page's text, fetched anew for a web on the net. Nothing when it could not be had;
    // failure() then says why. A failed fetch leaves no copy behind, so no later read takes an
    // earlier page for this one.
    std::optional<std::string> obtain(const ActiveProject& project, const std::string& entry);
    // The page's text again without fetching it: the local file or the downloaded copy.
    std::optional<std::string> reread(const ActiveProject& project, const std::string& entry);

    const std::string& failure() const { return m_failure; }
    // The address a page of a web on the net is fetched from: the entry as it stands, not only
    // its file name part as a submission sends.
    static std::string fetchAddress(const ActiveProject& project, const std::string& entry);

private:
    std::optional<std::string> readFile(const std::string& relative);
    bool fetch(TickHTTP& http, const std::string& address);

    const ProgramFolder& m_folder;
    TickHTTP& m_plain;
    TickHTTPS& m_secure;
    std::string m_failure;
};
