#include "net/stageddownload.h"

#include "net/tickhttp.h"

namespace fs = std::filesystem;

StagedDownload::StagedDownload(TickHTTP& http) : m_http(http) {}

StagedDownload::~StagedDownload() {
    discard();
}

fs::path StagedDownload::fetch(const std::string& url, const fs::path& target) {
    fs::path file = target;
    file += ".download";
    std::error_code ec;
    fs::remove(file, ec);
    const std::string previousFile = m_http.LocalFile();
    m_http.setURL(url);
    m_http.setLocalFile(file.string());
    try {
        m_http.setAction(ickhttpGet);
    } catch (const EickError& e) {
        m_http.setLocalFile(previousFile);
        fs::remove(file, ec);
        throw DownloadError(url + ": " + e.what());
    }
    m_http.setLocalFile(previousFile);
    // A transfer that was stopped, or a response without a body, leaves no file: there is
    // nothing that could replace the target.
    if (!fs::exists(file, ec) || fs::file_size(file, ec) == 0) {
        fs::remove(file, ec);
        throw DownloadError(url + ": the server sent no data");
    }
    m_staged.push_back({file, target});
    return file;
}

void StagedDownload::commit() {
    std::vector<Staged> staged = std::move(m_staged);
    m_staged.clear();
    for (size_t i = 0; i < staged.size(); ++i) {
        std::error_code ec;
        fs::rename(staged[i].file, staged[i].target, ec);
        if (ec) {
            for (size_t j = i; j < staged.size(); ++j)
                fs::remove(staged[j].file, ec);
            throw DownloadError("Cannot replace " + staged[i].target.string() + ": " + ec.message());
        }
    }
}

void StagedDownload::discard() {
    for (const Staged& s : m_staged) {
        std::error_code ec;
        fs::remove(s.file, ec);
    }
    m_staged.clear();
}
