#include "platform/core/safefile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string describe(const std::filesystem::path& path, int error) {
    return path.string() + ": " + std::strerror(error);
}

void writeAll(int fd, std::string_view data, const std::filesystem::path& path) {
    while (!data.empty()) {
        ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            throw FileError(describe(path, errno));
        }
        data.remove_prefix(static_cast<size_t>(n));
    }
}

}  // namespace

std::string readFileBytes(const std::filesystem::path& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw FileError(describe(path, errno));
    std::string data;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            int error = errno;
            ::close(fd);
            throw FileError(describe(path, error));
        }
        if (n == 0) break;
        data.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return data;
}

void writeFileAtomically(const std::filesystem::path& path, std::string_view data, bool ownerOnly) {
    std::error_code ec;
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), ec);
        if (ec) throw FileError(path.parent_path().string() + ": " + ec.message());
    }
    std::string temp = path.string() + ".tmpXXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) throw FileError(describe(path, errno));
    try {
        // mkstemp makes the file 0600; a replaced file keeps its permissions, a new one gets 0644.
        if (!ownerOnly) {
            struct stat old {};
            ::fchmod(fd, ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
        }
        writeAll(fd, data, path);
        if (::fsync(fd) != 0) throw FileError(describe(path, errno));
        if (::close(fd) != 0) {
            fd = -1;
            throw FileError(describe(path, errno));
        }
        fd = -1;
        if (::rename(temp.c_str(), path.c_str()) != 0) throw FileError(describe(path, errno));
    } catch (...) {
        if (fd >= 0) ::close(fd);
        ::unlink(temp.c_str());
        throw;
    }
}
