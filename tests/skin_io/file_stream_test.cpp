#include "skin/io/file_stream.h"

#include "platform/utf.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace stellaro {

namespace {

class FileStreamTest : public ::testing::Test {
protected:
    // The file's name as the streams take it, written first when contents are given.
    std::u16string file(const std::string& name, const char* contents = nullptr) const
    {
        if (contents)
            write_file(folder.file(name), contents);
        return utf8_to_utf16(folder.file(name));
    }
    bool exists(const std::string& name) const { return std::filesystem::exists(folder.file(name)); }

    TemporaryFolder folder;
};

TEST_F(FileStreamTest, ReadModeReadsSkipsAndNeverWritesOrCreates)
{
    FileStream stream(file("data.bin", "0123456789"), FileStream::READ);
    ASSERT_TRUE(stream.is_open());
    EXPECT_EQ(stream.size(), 10u);
    char buffer[16] = {};
    EXPECT_EQ(stream.read(buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "0123");
    EXPECT_EQ(stream.write("x", 1), 0u);
    EXPECT_EQ(stream.skip(3), 3u);
    EXPECT_EQ(stream.tell(), 7u);
    EXPECT_EQ(stream.skip(1000), 3u);
    EXPECT_EQ(stream.read(buffer, sizeof buffer), 0u);
    EXPECT_EQ(read_file(folder.file("data.bin")), "0123456789");

    EXPECT_FALSE(FileStream(file("missing.bin"), FileStream::READ).is_open());
    EXPECT_FALSE(exists("missing.bin"));
}

TEST_F(FileStreamTest, WriteEmptiesAppendAddsReadWriteKeepsAndOtherModesActAsReadWrite)
{
    {
        FileStream stream(file("out.bin", "old contents"), FileStream::WRITE);
        EXPECT_EQ(stream.size(), 0u);
        EXPECT_EQ(stream.write("new", 3), 3u);
        EXPECT_TRUE(stream.flush());
        FileStream log(file("log.txt", "first "), FileStream::APPEND);
        EXPECT_EQ(log.tell(), 6u);
        EXPECT_EQ(log.write("second", 6), 6u);
        FileStream both(file("both.bin", "abcdef"), 7);
        EXPECT_EQ(both.size(), 6u);
        EXPECT_TRUE(both.seek(2));
        EXPECT_EQ(both.write("XY", 2), 2u);
        EXPECT_TRUE(both.seek(0));
        char buffer[6] = {};
        EXPECT_EQ(both.read(buffer, 6), 6u);
        EXPECT_EQ(std::string(buffer, 6), "abXYef");
        for (const int mode : {FileStream::APPEND, FileStream::READ_WRITE})
            EXPECT_TRUE(FileStream(file("fresh" + std::to_string(mode)), mode).is_open());
    }
    EXPECT_EQ(read_file(folder.file("out.bin")), "new");
    EXPECT_EQ(read_file(folder.file("log.txt")), "first second");
    EXPECT_TRUE(exists("fresh" + std::to_string(FileStream::APPEND)));
}

TEST_F(FileStreamTest, PathMacrosAreExpanded)
{
    // The test program's own file is found through the executable-folder macro.
    FileStream stream(u"%app_full_name%", FileStream::READ);
    EXPECT_TRUE(stream.is_open());
    EXPECT_GT(stream.size(), 0u);
}

TEST_F(FileStreamTest, AnInvalidStreamFailsEveryOperation)
{
    FileStream never_opened;
    // A folder can be opened for reading on Linux, but it is no file.
    FileStream a_folder(utf8_to_utf16(folder.path()), FileStream::READ);
    for (FileStream* stream : {&never_opened, &a_folder}) {
        char buffer[4] = {};
        EXPECT_FALSE(stream->is_open());
        EXPECT_EQ(stream->read(buffer, 4), 0u);
        EXPECT_EQ(stream->write(buffer, 4), 0u);
        EXPECT_EQ(stream->skip(4), 0u);
        EXPECT_EQ(stream->size(), 0u);
        EXPECT_EQ(stream->tell(), 0u);
        EXPECT_FALSE(stream->seek(0));
        EXPECT_FALSE(stream->flush());
    }
}

TEST_F(FileStreamTest, ReadWholeStreamReadsWholeFilesWithinTheLimitOnly)
{
    std::string bytes;
    EXPECT_TRUE(read_whole_stream(file("data.bin", "0123456789"), bytes, 10));
    EXPECT_EQ(bytes, "0123456789");
    EXPECT_FALSE(read_whole_stream(file("data.bin"), bytes, 9));
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(read_whole_stream(file("missing.bin"), bytes, 100));
}

} // namespace

} // namespace stellaro
