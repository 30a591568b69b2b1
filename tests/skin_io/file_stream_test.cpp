#include "skin/io/file_stream.h"

#include "platform/utf.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace stellaro {

namespace {

TEST(FileStream, ShortReadsAndSkipsStopAtTheEndAndReadModeNeverWritesOrCreates)
{
    TemporaryFolder folder;
    write_file(folder.file("data.bin"), "0123456789");
    FileStream stream(utf8_to_utf16(folder.file("data.bin")), FileStream::READ);
    ASSERT_TRUE(stream.is_open());
    char buffer[16] = {};
    EXPECT_EQ(stream.read(buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "0123");
    EXPECT_EQ(stream.write("x", 1), 0u);
    EXPECT_EQ(stream.skip(1000), 6u);
    EXPECT_EQ(stream.read(buffer, sizeof buffer), 0u);
    EXPECT_EQ(read_file(folder.file("data.bin")), "0123456789");
    EXPECT_FALSE(FileStream(utf8_to_utf16(folder.file("missing.bin")), FileStream::READ).is_open());
    EXPECT_FALSE(std::filesystem::exists(folder.file("missing.bin")));
    // A folder can be opened for reading on Linux, but it is no file.
    FileStream a_folder(utf8_to_utf16(folder.path()), FileStream::READ);
    EXPECT_FALSE(a_folder.is_open());
    EXPECT_EQ(a_folder.read(buffer, 4) + a_folder.skip(4) + a_folder.size(), 0u);
    EXPECT_FALSE(a_folder.seek(0));
}

TEST(FileStream, WriteEmptiesAppendAddsAndReadWriteChangesInPlace)
{
    TemporaryFolder folder;
    auto opened = [&folder](const std::string& name, const char* contents, FileStream::Mode mode) {
        write_file(folder.file(name), contents);
        return FileStream(utf8_to_utf16(folder.file(name)), mode);
    };
    {
        FileStream out = opened("out.bin", "old contents", FileStream::WRITE);
        EXPECT_EQ(out.write("new", 3), 3u);
        EXPECT_TRUE(out.flush());
        FileStream log = opened("log.txt", "first ", FileStream::APPEND);
        EXPECT_EQ(log.write("second", 6), 6u);
        FileStream both = opened("both.bin", "abcdef", FileStream::READ_WRITE);
        EXPECT_TRUE(both.seek(2));
        EXPECT_EQ(both.write("XY", 2), 2u);
    }
    EXPECT_EQ(read_file(folder.file("out.bin")), "new");
    EXPECT_EQ(read_file(folder.file("log.txt")), "first second");
    EXPECT_EQ(read_file(folder.file("both.bin")), "abXYef");
}

TEST(FileStream, ReadWholeStreamRefusesFilesOverTheLimit)
{
    TemporaryFolder folder;
    write_file(folder.file("data.bin"), "0123456789");
    std::string bytes;
    EXPECT_TRUE(read_whole_stream(utf8_to_utf16(folder.file("data.bin")), bytes, 10));
    EXPECT_EQ(bytes, "0123456789");
    EXPECT_FALSE(read_whole_stream(utf8_to_utf16(folder.file("data.bin")), bytes, 9));
    EXPECT_TRUE(bytes.empty());
}

} // namespace

} // namespace stellaro
