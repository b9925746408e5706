#include "pageprep/pagesource.h"

#include "net/tickhttp.h"
#include "platform/core/programfolder.h"
#include "platform/core/safefile.h"

#include <filesystem>
#include <stdexcept>

namespace {

const char* const kDownloadedCopy = "temp\\temp.htm";

// No page whose head and keywords are worth checking comes near this; an endless answer stops
// here instead of filling the disk and then memory when the copy is read.
constexpr long long kPageLimit = 16LL * 1024 * 1024;

}  // namespace

PageSource::PageSource(const ProgramFolder& folder, TickHTTP& plain, TickHTTPS& secure)
    : m_folder(folder), m_plain(plain), m_secure(secure) {}

std::string PageSource::fetchAddress(const ActiveProject& project, const std::string& entry) {
    return project.webPath + "/" + entry;
}

std::optional<std::string> PageSource::obtain(const ActiveProject& project, const std::string& entry) {
    m_failure.clear();
    if (project.webType == WebType::Local)
        return readFile(entry);
    TickHTTP& http = project.webType == WebType::SecureNet ? m_secure : m_plain;
    if (!fetch(http, fetchAddress(project, entry)))
        return std::nullopt;
    return readFile(kDownloadedCopy);
}

std::optional<std::string> PageSource::reread(const ActiveProject& project, const std::string& entry) {
    m_failure.clear();
    return readFile(project.webType == WebType::Local ? entry : kDownloadedCopy);
}

std::optional<std::string> PageSource::readFile(const std::string& relative) {
    try {
        return readFileBytes(m_folder.resolve(relative));
    } catch (const FileError& e) {
        m_failure = e.what();
        return std::nullopt;
    }
}

bool PageSource::fetch(TickHTTP& http, const std::string& address) {
    std::filesystem::path copy;
    try {
        copy = m_folder.resolveForWriting(kDownloadedCopy);
        std::error_code ec;
        std::filesystem::remove(copy, ec);
        http.setURL(address);
        http.setBodyLimit(kPageLimit);
        http.setLocalFile(copy.string());
        http.setAction(ickhttpGet);
        // A page without a body still replaces the copy: it is an empty page, not the last one.
        if (!std::filesystem::exists(copy, ec))
            writeFileAtomically(copy, "");
        return true;
    } catch (const std::runtime_error& e) {
        // The component's failures, and a copy that could not be made or replaced.
        m_failure = "Fetch of " + address + " failed: " + e.what();
    }
    // Whatever arrived of a failed or refused response is no page to report on.
    std::error_code ec;
    if (!copy.empty())
        std::filesystem::remove(copy, ec);
    return false;
}
