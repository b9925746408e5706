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
    std::erase_if(m_staged, [&](const Staged& s) { return s.target == target; });
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

namespace {

// A target's old file, kept under another name while the new files go in.
struct Replaced {
    fs::path target;
    fs::path previous;  // empty: the target did not exist
};

void putBack(const std::vector<Replaced>& replaced) {
    for (auto it = replaced.rbegin(); it != replaced.rend(); ++it) {
        std::error_code ec;
        if (it->previous.empty()) {
            fs::remove(it->target, ec);
        } else {
            fs::rename(it->previous, it->target, ec);
        }
    }
}

}  // namespace

void StagedDownload::commit() {
    std::vector<Staged> staged = std::move(m_staged);
    m_staged.clear();
    std::vector<Replaced> replaced;
    for (size_t i = 0; i < staged.size(); ++i) {
        const Staged& s = staged[i];
        Replaced r{s.target, {}};
        std::error_code ec;
        if (fs::exists(s.target, ec)) {
            // A second name for the old file keeps the target in place until the rename below.
            r.previous = s.target;
            r.previous += ".previous";
            fs::remove(r.previous, ec);
            fs::create_hard_link(s.target, r.previous, ec);
            if (ec)
                fs::copy_file(s.target, r.previous, fs::copy_options::overwrite_existing, ec);
        }
        if (!ec)
            fs::rename(s.file, s.target, ec);
        if (ec) {
            const std::string cause = ec.message();
            if (!r.previous.empty())
                fs::remove(r.previous, ec);
            putBack(replaced);
            for (size_t j = i; j < staged.size(); ++j)
                fs::remove(staged[j].file, ec);
            throw DownloadError("Cannot replace " + s.target.string() + ": " + cause);
        }
        replaced.push_back(r);
    }
    for (const Replaced& r : replaced) {
        std::error_code ec;
        if (!r.previous.empty())
            fs::remove(r.previous, ec);
    }
}

void StagedDownload::discard() {
    for (const Staged& s : m_staged) {
        std::error_code ec;
        fs::remove(s.file, ec);
    }
    m_staged.clear();
}
