#include "skin/io/file_stream.h"

#include "platform/utf.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace stellaro {

namespace {

std::u16string wide(const std::string& path)
{
    return utf8_to_utf16(path);
}

TEST(FileStream, ReadModeReadsAnExistingFileAndNeverCreatesOne)
{
    TemporaryFolder folder;
    write_file(folder.file("data.bin"), "0123456789");
    FileStream file(wide(folder.file("data.bin")), FileStream::READ);
    ASSERT_TRUE(file.is_open());
    EXPECT_EQ(file.size(), 10u);
    char buffer[16] = {};
    EXPECT_EQ(file.read(buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "0123");
    EXPECT_EQ(file.tell(), 4u);
    EXPECT_EQ(file.write("x", 1), 0u);
    EXPECT_EQ(file.read(buffer, sizeof buffer), 6u);
    EXPECT_EQ(file.read(buffer, sizeof buffer), 0u);

    FileStream missing(wide(folder.file("missing.bin")), FileStream::READ);
    EXPECT_FALSE(missing.is_open());
    EXPECT_FALSE(std::filesystem::exists(folder.file("missing.bin")));
}

TEST(FileStream, WriteModeCreatesOrEmptiesTheFile)
{
    TemporaryFolder folder;
    write_file(folder.file("out.bin"), "old contents");
    {
        FileStream file(wide(folder.file("out.bin")), FileStream::WRITE);
        ASSERT_TRUE(file.is_open());
        EXPECT_EQ(file.size(), 0u);
        EXPECT_EQ(file.write("new", 3), 3u);
        EXPECT_TRUE(file.flush());
    }
    EXPECT_EQ(read_file(folder.file("out.bin")), "new");
}

TEST(FileStream, AppendModeWritesAfterWhatIsThere)
{
    TemporaryFolder folder;
    write_file(folder.file("log.txt"), "first ");
    {
        FileStream file(wide(folder.file("log.txt")), FileStream::APPEND);
        ASSERT_TRUE(file.is_open());
        EXPECT_EQ(file.tell(), 6u);
        EXPECT_EQ(file.write("second", 6), 6u);
    }
    EXPECT_EQ(read_file(folder.file("log.txt")), "first second");
    {
        FileStream created(wide(folder.file("new.txt")), FileStream::APPEND);
        EXPECT_TRUE(created.is_open());
    }
    EXPECT_TRUE(std::filesystem::exists(folder.file("new.txt")));
}

TEST(FileStream, ReadWriteModeKeepsContentsAndTreatsOtherModesAlike)
{
    TemporaryFolder folder;
    write_file(folder.file("both.bin"), "abcdef");
    {
        FileStream file(wide(folder.file("both.bin")), 7);
        ASSERT_TRUE(file.is_open());
        EXPECT_EQ(file.size(), 6u);
        EXPECT_TRUE(file.seek(2));
        EXPECT_EQ(file.write("XY", 2), 2u);
        EXPECT_TRUE(file.seek(0));
        char buffer[6] = {};
        EXPECT_EQ(file.read(buffer, 6), 6u);
        EXPECT_EQ(std::string(buffer, 6), "abXYef");
    }
    FileStream created(wide(folder.file("fresh.bin")), FileStream::READ_WRITE);
    EXPECT_TRUE(created.is_open());
}

TEST(FileStream, SkipMovesForwardUpToTheEnd)
{
    TemporaryFolder folder;
    write_file(folder.file("data.bin"), std::string(100, 'a'));
    FileStream file(wide(folder.file("data.bin")), FileStream::READ);
    EXPECT_EQ(file.skip(30), 30u);
    EXPECT_EQ(file.tell(), 30u);
    EXPECT_EQ(file.skip(1000), 70u);
    EXPECT_EQ(file.tell(), 100u);
    EXPECT_EQ(file.skip(1), 0u);
}

TEST(FileStream, PathMacrosAreExpanded)
{
    // The test program's own file is found through the executable-folder macro.
    FileStream file(u"%app_full_name%", FileStream::READ);
    EXPECT_TRUE(file.is_open());
    EXPECT_GT(file.size(), 0u);
}

void expect_invalid(FileStream& file)
{
    char buffer[4] = {};
    EXPECT_FALSE(file.is_open());
    EXPECT_EQ(file.read(buffer, 4), 0u);
    EXPECT_EQ(file.write(buffer, 4), 0u);
    EXPECT_EQ(file.skip(4), 0u);
    EXPECT_EQ(file.size(), 0u);
    EXPECT_EQ(file.tell(), 0u);
    EXPECT_FALSE(file.seek(0));
    EXPECT_FALSE(file.flush());
}

TEST(FileStream, AnInvalidStreamFailsEveryOperation)
{
    FileStream never_opened;
    expect_invalid(never_opened);
    // A folder can be opened for reading on Linux, but it is no file.
    TemporaryFolder folder;
    FileStream a_folder(wide(folder.path()), FileStream::READ);
    expect_invalid(a_folder);
}

TEST(ReadWholeStream, ReadsWholeFilesWithinTheLimitOnly)
{
    TemporaryFolder folder;
    write_file(folder.file("data.bin"), "0123456789");
    std::string bytes;
    EXPECT_TRUE(read_whole_stream(wide(folder.file("data.bin")), bytes, 10));
    EXPECT_EQ(bytes, "0123456789");
    EXPECT_FALSE(read_whole_stream(wide(folder.file("data.bin")), bytes, 9));
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(read_whole_stream(wide(folder.file("missing.bin")), bytes, 100));
}

} // namespace

} // namespace stellaro
