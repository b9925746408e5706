#include "platform/core/safefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

std::string describe(const std::filesystem::path& path, int error) {
    return path.string() + ": " + std::strerror(error);
}

void writeAll(int fd, std::string_view data, const std::filesystem::path& path) {
    while (!data.empty()) {
        ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw FileError(describe(path, errno));
        }
        data.remove_prefix(static_cast<size_t>(n));
    }
}

}  // namespace

std::string readFileBytes(const std::filesystem::path& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw FileError(describe(path, errno));
    std::string data;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            int error = errno;
            ::close(fd);
            throw FileError(describe(path, error));
        }
        if (n == 0)
            break;
        data.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return data;
}

namespace {

// Writes data to a new temporary file beside path and returns its name.
std::string writeTemporary(const std::filesystem::path& path, std::string_view data, bool ownerOnly) {
    std::error_code ec;
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), ec);
        if (ec)
            throw FileError(path.parent_path().string() + ": " + ec.message());
    }
    std::string temp = path.string() + ".tmpXXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0)
        throw FileError(describe(path, errno));
    try {
        // mkstemp makes the file 0600; a replaced file keeps its permissions, a new one gets 0644.
        if (!ownerOnly) {
            struct stat old {};
            ::fchmod(fd, ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
        }
        writeAll(fd, data, path);
        if (::fsync(fd) != 0)
            throw FileError(describe(path, errno));
        if (::close(fd) != 0) {
            fd = -1;
            throw FileError(describe(path, errno));
        }
    } catch (...) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(temp.c_str());
        throw;
    }
    return temp;
}

}  // namespace

void writeFileAtomically(const std::filesystem::path& path, std::string_view data, bool ownerOnly) {
    std::string temp = writeTemporary(path, data, ownerOnly);
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        int error = errno;
        ::unlink(temp.c_str());
        throw FileError(describe(path, error));
    }
}

bool writeNewFileAtomically(const std::filesystem::path& path, std::string_view data) {
    std::string temp = writeTemporary(path, data, false);
    // A hard link fails when the name is taken, so two writers can never both have it; a file
    // system without hard links gets the check and the rename, which leaves that race open.
    int result = ::link(temp.c_str(), path.c_str());
    int error = result == 0 ? 0 : errno;
    if (error == EPERM || error == ENOTSUP || error == ENOSYS) {
        struct stat existing {};
        if (::lstat(path.c_str(), &existing) == 0) {
            error = EEXIST;
        } else {
            error = ::rename(temp.c_str(), path.c_str()) == 0 ? 0 : errno;
        }
    }
    ::unlink(temp.c_str());
    if (error == EEXIST)
        return false;
    if (error != 0)
        throw FileError(describe(path, error));
    return true;
}
