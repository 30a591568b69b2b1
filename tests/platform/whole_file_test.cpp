#include "platform/atomic_file.h"
#include "support/test_support.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace stellaro {

namespace {

mode_t mode_of(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode : 0;
}

// Sets the umask for the lifetime of the object.
class UmaskGuard {
public:
    explicit UmaskGuard(mode_t mask) : saved(::umask(mask)) {}
    ~UmaskGuard() { ::umask(saved); }

private:
    mode_t saved;
};

TEST(WholeFile, ALinkIsFollowedAndStaysALink)
{
    TemporaryFolder folder;
    std::filesystem::create_directory(folder.file("real"));
    write_file(folder.file("real/target"), "old");
    // A relative link points from the link's own folder.
    std::filesystem::create_symlink("real/target", folder.file("link"));
    ASSERT_TRUE(write_whole_file(folder.file("link"), "new", FileSharing::SHARED));
    EXPECT_TRUE(S_ISLNK(mode_of(folder.file("link"))));
    EXPECT_EQ(read_file(folder.file("real/target")), "new");
    // A link to nothing yet makes its target, as a shell redirection does.
    std::filesystem::create_symlink("real/later", folder.file("dangling"));
    ASSERT_TRUE(write_whole_file(folder.file("dangling"), "made", FileSharing::SHARED));
    EXPECT_TRUE(S_ISLNK(mode_of(folder.file("dangling"))));
    EXPECT_EQ(read_file(folder.file("real/later")), "made");
    std::filesystem::create_symlink("loop", folder.file("loop"));
    EXPECT_EQ(write_whole_file(folder.file("loop"), "x", FileSharing::SHARED).reason, std::strerror(ELOOP));
}

TEST(WholeFile, AFifoIsWrittenInPlaceForItsReader)
{
    TemporaryFolder folder;
    const std::string fifo = folder.file("fifo");
    const std::string bytes(200000, 's');
    FifoReader reader(fifo, [&](const std::string& got) { return got == bytes; });
    const FileResult written = write_whole_file(fifo, bytes, FileSharing::SHARED);
    EXPECT_TRUE(written) << written.reason;
    EXPECT_TRUE(reader.accepted());
    EXPECT_TRUE(S_ISFIFO(mode_of(fifo)));
}

TEST(WholeFile, ADeviceIsWrittenInPlaceAndItsErrorsReported)
{
    const FileResult full = write_whole_file("/dev/full", "bytes", FileSharing::SHARED);
    EXPECT_EQ(full.reason, std::strerror(ENOSPC));
    EXPECT_TRUE(S_ISCHR(mode_of("/dev/full")));
    TemporaryFolder folder;
    EXPECT_EQ(write_whole_file(folder.path(), "x", FileSharing::SHARED).reason, std::strerror(EISDIR));
    write_file(folder.file("plain"), "a file, not a folder");
    EXPECT_EQ(write_whole_file(folder.file("plain/x"), "x", FileSharing::SHARED).reason, std::strerror(ENOTDIR));
}

TEST(WholeFile, ANullDeviceOutsideDevStaysADevice)
{
    TemporaryFolder folder;
    const std::string null = folder.file("null");
    if (::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "device nodes cannot be made here";
    ASSERT_TRUE(write_whole_file(null, "swallowed", FileSharing::SHARED));
    EXPECT_TRUE(S_ISCHR(mode_of(null)));
}

TEST(WholeFile, NewFilesAndFoldersFollowTheUmaskOrStayPrivateAndReplacedFilesKeepTheirMode)
{
    const UmaskGuard mask(022);
    TemporaryFolder folder;
    ASSERT_TRUE(write_whole_file(folder.file("a/b/shared"), "x", FileSharing::SHARED));
    EXPECT_EQ(mode_of(folder.file("a")) & 07777, 0755u);
    EXPECT_EQ(mode_of(folder.file("a/b/shared")) & 07777, 0644u);
    ASSERT_TRUE(write_whole_file(folder.file("c/private"), "x", FileSharing::PRIVATE));
    EXPECT_EQ(mode_of(folder.file("c")) & 07777, 0700u);
    EXPECT_EQ(mode_of(folder.file("c/private")) & 07777, 0600u);
    ::chmod(folder.file("a/b/shared").c_str(), 0640);
    ASSERT_TRUE(write_whole_file(folder.file("a/b/shared"), "y", FileSharing::SHARED));
    EXPECT_EQ(mode_of(folder.file("a/b/shared")) & 07777, 0640u);
    EXPECT_EQ(read_file(folder.file("a/b/shared")), "y");
    // The replace leaves no temporary file behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.file("a/b")), {}), 1);
}

TEST(WholeFile, ReadingSaysWhyNot)
{
    TemporaryFolder folder;
    std::string bytes;
    EXPECT_EQ(read_whole_file(folder.path(), bytes, 100).reason, std::strerror(EISDIR));
    EXPECT_EQ(read_whole_file(folder.file("missing"), bytes, 100).reason, std::strerror(ENOENT));
    write_file(folder.file("big"), std::string(101, 'b'));
    EXPECT_FALSE(read_whole_file(folder.file("big"), bytes, 100));
    ASSERT_TRUE(read_whole_file(folder.file("big"), bytes, 101));
    EXPECT_EQ(bytes.size(), 101u);
}

} // namespace

} // namespace stellaro
