#include "platform/core/safefile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/tests/tempdir.h"

namespace {

unsigned modeOf(const std::filesystem::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// Sets the umask for the life of the object.
class Umask {
public:
    explicit Umask(mode_t mask) : m_old(::umask(mask)) {}
    ~Umask() { ::umask(m_old); }
    Umask(const Umask&) = delete;
    Umask& operator=(const Umask&) = delete;

private:
    mode_t m_old;
};

}  // namespace

TEST(WriteFileAtomically, ANewFileGetsWhatTheUmaskAllowsAReplacedOneKeepsItsMode) {
    TempDir dir;
    {
        Umask mask(027);
        writeFileAtomically(dir / "report.html", "<table>");
        writeFileAtomically(dir / "secret.ini", "x", true);
    }
    EXPECT_EQ(modeOf(dir / "report.html"), 0640u);
    EXPECT_EQ(modeOf(dir / "secret.ini"), 0600u);

    ::chmod((dir / "report.html").c_str(), 0604);
    writeFileAtomically(dir / "report.html", "<table border=1>");
    EXPECT_EQ(modeOf(dir / "report.html"), 0604u);
    EXPECT_EQ(readFileBytes(dir / "report.html"), "<table border=1>");
}

TEST(WriteFileAtomically, ALinkIsWrittenThroughAndStays) {
    TempDir dir;
    std::filesystem::create_directories(dir / "real");
    writeFileAtomically(dir / "real" / "list.fls", "old");
    std::filesystem::create_symlink("real/list.fls", dir / "list.fls");
    std::filesystem::create_symlink("list.fls", dir / "link-to-link.fls");
    writeFileAtomically(dir / "link-to-link.fls", "new");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "list.fls"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link-to-link.fls"));
    EXPECT_EQ(readFileBytes(dir / "real" / "list.fls"), "new");

    // A link to a file not yet there creates that file.
    std::filesystem::create_symlink("real/later.fls", dir / "later.fls");
    writeFileAtomically(dir / "later.fls", "made");
    EXPECT_EQ(readFileBytes(dir / "real" / "later.fls"), "made");

    std::filesystem::create_symlink("loop", dir / "loop");
    EXPECT_THROW(writeFileAtomically(dir / "loop", "x"), FileError);
}

TEST(WriteFileAtomically, AFileWithoutWritePermissionIsLeftAsItIs) {
    TempDir dir;
    writeFileAtomically(dir / "report.prp", "kept");
    ::chmod((dir / "report.prp").c_str(), 0444);
    EXPECT_THROW(writeFileAtomically(dir / "report.prp", "lost"), FileError);
    EXPECT_EQ(readFileBytes(dir / "report.prp"), "kept");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}
