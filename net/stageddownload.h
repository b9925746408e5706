#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

class TickHTTP;

// A download that did not give a usable file; what() names the address and the cause.
class DownloadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Files fetched from a server that replace their targets only when the caller says so. Each
// fetch goes to a file beside its target, so a broken connection, an error status or a full disk
// never leaves a target half written, and a caller that needs several files can fetch and check
// them all before replacing any. What is fetched and not committed is removed.
class StagedDownload {
public:
    explicit StagedDownload(TickHTTP& http);
    ~StagedDownload();
    StagedDownload(const StagedDownload&) = delete;
    StagedDownload& operator=(const StagedDownload&) = delete;

    // Fetches url into a file beside target and returns that file, for the caller to check its
    // form. Throws DownloadError when the transfer failed, the status was not 2xx or no body
    // came; nothing is staged for target then. A target fetched again keeps the later file.
    std::filesystem::path fetch(const std::string& url, const std::filesystem::path& target);

    // Renames every staged file over its target, in the order fetched, keeping the old targets
    // aside until all are in place. Throws DownloadError when one cannot be replaced; every
    // target then has its old file back (or, if it had none, is gone again).
    void commit();
    // Removes every staged file; the targets stay as they were.
    void discard();

    bool empty() const { return m_staged.empty(); }

private:
    struct Staged {
        std::filesystem::path file;
        std::filesystem::path target;
    };

    TickHTTP& m_http;
    std::vector<Staged> m_staged;
};
