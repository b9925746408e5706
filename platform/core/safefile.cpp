#include "platform/core/safefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

namespace fs = std::filesystem;

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

fs::path followLinks(const fs::path& path) {
    fs::path current = path;
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(current, ec)))
            return current;
        fs::path target = fs::read_symlink(current, ec);
        if (ec)
            throw FileError(current.string() + ": " + ec.message());
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    throw FileError(describe(path, ELOOP));
}

namespace {

// Writes data to a new temporary file beside path and returns its name. The file is created as
// any new file is, so the umask decides who may read it, unless ownerOnly or mode says.
std::string writeTemporary(const fs::path& path, std::string_view data, bool ownerOnly, const mode_t* mode) {
    std::error_code ec;
    if (path.has_parent_path()) {
        fs::create_directories(path.parent_path(), ec);
        if (ec)
            throw FileError(path.parent_path().string() + ": " + ec.message());
    }
    std::string temp;
    int fd = -1;
    std::random_device random;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = path.string() + ".tmp" + std::to_string(random() % 1000000);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, ownerOnly ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST)
            throw FileError(describe(path, errno));
    }
    if (fd < 0)
        throw FileError(describe(path, EEXIST));
    try {
        if (ownerOnly) {
            ::fchmod(fd, 0600);
        } else if (mode) {
            ::fchmod(fd, *mode & 07777);
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

void writeFileAtomically(const fs::path& path, std::string_view data, bool ownerOnly) {
    const fs::path target = followLinks(path);
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    // Root may write anything; a file without any write permission is still meant to stay.
    if (replacing && ((old.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0))
        throw FileError(target.string() + ": the file is read-only");
    // A replaced file keeps its permissions.
    std::string temp = writeTemporary(target, data, ownerOnly, replacing ? &old.st_mode : nullptr);
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        int error = errno;
        ::unlink(temp.c_str());
        throw FileError(describe(target, error));
    }
}

bool writeNewFileAtomically(const std::filesystem::path& path, std::string_view data) {
    std::string temp = writeTemporary(path, data, false, nullptr);
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
