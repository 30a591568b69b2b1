#include "skin/io/zip_reader.h"

#include "platform/utf.h"
#include "support/stored_zip.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

std::string pattern(size_t size, char first)
{
    std::string text(size, '\0');
    for (size_t i = 0; i < size; ++i)
        text[i] = static_cast<char>(first + i % 26);
    return text;
}

// An archive of several stored members in a temporary file.
class StoredArchive : public ::testing::Test {
protected:
    void SetUp() override
    {
        write_file(path(), stored_zip({
                               {"Ori.png", pattern(300, 'a'), false, ""},
                               {"maps/", "", false, ""},
                               {"maps/Tile_0_0.jpg", pattern(50, 'A'), false, "extra-bytes"},
                               {"empty.txt", "", false, ""},
                               {"UMa.PNG", pattern(20, 'k'), false, ""},
                           }));
    }
    std::string path() const { return folder.file("figures.zip"); }
    std::u16string archive() const { return utf8_to_utf16(path()); }

    TemporaryFolder folder;
};

TEST_F(StoredArchive, FindsMembersIgnoringLetterCaseAndOneTrailingSeparator)
{
    ZipReader zip(archive());
    ASSERT_TRUE(zip.is_open());
    EXPECT_TRUE(zip.find(u"Ori.png"));
    EXPECT_TRUE(zip.find(u"ORI.PNG"));
    EXPECT_TRUE(zip.find(u"uma.png"));
    EXPECT_EQ(zip.size(), 20u);
    EXPECT_TRUE(zip.find(u"ori.png/"));
    EXPECT_TRUE(zip.find(u"ori.png\\"));
    EXPECT_TRUE(zip.find(u"maps"));
    EXPECT_TRUE(zip.find(u"Maps\\"));
    EXPECT_TRUE(zip.find(u"maps/tile_0_0.jpg"));
}

TEST_F(StoredArchive, SeparatorsInsideANameAreNotInterchangeable)
{
    ZipReader zip(archive());
    EXPECT_FALSE(zip.find(u"maps\\Tile_0_0.jpg"));
    EXPECT_FALSE(zip.find(u"Ori.png//"));
}

TEST_F(StoredArchive, AMissingNameScansToTheDirectoryAndLeavesNoMember)
{
    ZipReader zip(archive());
    ASSERT_TRUE(zip.find(u"Ori.png"));
    EXPECT_FALSE(zip.find(u"Cas.png"));
    EXPECT_EQ(zip.size(), 0u);
    char buffer[8];
    EXPECT_EQ(zip.read(buffer, sizeof buffer), 0u);
    // A later find rescans from the start.
    EXPECT_TRUE(zip.find(u"ori.png"));
}

TEST_F(StoredArchive, ReadsTheMemberBytesAndStopsAtItsEnd)
{
    ZipReader zip(archive());
    ASSERT_TRUE(zip.find(u"maps/Tile_0_0.jpg"));
    std::string bytes(100, '\0');
    EXPECT_EQ(zip.read(bytes.data(), bytes.size()), 50u);
    EXPECT_EQ(bytes.substr(0, 50), pattern(50, 'A'));
    EXPECT_EQ(zip.read(bytes.data(), bytes.size()), 0u);
    EXPECT_EQ(zip.tell(), 50u);
    // The data starts behind the 30 fixed header bytes, the name and the extra field.
    const std::string file = read_file(path());
    EXPECT_EQ(file.substr(zip.data_offset(), 50), pattern(50, 'A'));
}

TEST_F(StoredArchive, AReadAcrossTheEndGivesTheRemainingBytesOnly)
{
    ZipReader zip(archive());
    ASSERT_TRUE(zip.find(u"Ori.png"));
    ASSERT_EQ(zip.size(), 300u);
    EXPECT_EQ(zip.skip(100), 100u);
    std::string bytes(1000, '\0');
    EXPECT_EQ(zip.read(bytes.data(), bytes.size()), 200u);
    EXPECT_EQ(zip.tell(), 300u);
    EXPECT_EQ(bytes.substr(0, 200), pattern(300, 'a').substr(100));
    EXPECT_EQ(zip.skip(10), 0u);
}

TEST_F(StoredArchive, SeekStaysInsideTheMember)
{
    ZipReader zip(archive());
    ASSERT_TRUE(zip.find(u"Ori.png"));
    EXPECT_TRUE(zip.seek(299));
    char byte = 0;
    EXPECT_EQ(zip.read(&byte, 1), 1u);
    EXPECT_EQ(byte, pattern(300, 'a')[299]);
    EXPECT_TRUE(zip.seek(300));
    EXPECT_EQ(zip.read(&byte, 1), 0u);

    // Beyond the end is refused and the position kept: no later read reaches the next member.
    ASSERT_TRUE(zip.seek(10));
    EXPECT_FALSE(zip.seek(301));
    EXPECT_FALSE(zip.seek(1u << 31));
    EXPECT_EQ(zip.tell(), 10u);
    std::string bytes(1000, '\0');
    EXPECT_EQ(zip.read(bytes.data(), bytes.size()), 290u);
    EXPECT_EQ(zip.skip(1000), 0u);
}

TEST_F(StoredArchive, AnEmptyMemberIsFoundAndReadsNothing)
{
    ZipReader zip(archive());
    ASSERT_TRUE(zip.find(u"empty.txt"));
    EXPECT_EQ(zip.size(), 0u);
    char buffer[4];
    EXPECT_EQ(zip.read(buffer, sizeof buffer), 0u);
    EXPECT_TRUE(zip.seek(0));
    EXPECT_FALSE(zip.seek(1));
}

TEST_F(StoredArchive, NothingIsEverWritten)
{
    ZipReader zip(archive());
    ASSERT_TRUE(zip.find(u"Ori.png"));
    OutputStream& output = zip;
    EXPECT_EQ(output.write("#~!", 3), 0u);
    EXPECT_EQ(read_file(path()).find("#~!"), std::string::npos);
}

TEST(ZipReader, AFirstMemberThatIsCompressedHidesEveryMember)
{
    TemporaryFolder folder;
    write_file(folder.file("a.zip"), stored_zip({{"deflated.png", pattern(100, 'a'), true, ""},
                                                 {"stored.png", pattern(10, 'b'), false, ""}}));
    ZipReader zip(utf8_to_utf16(folder.file("a.zip")));
    EXPECT_FALSE(zip.find(u"deflated.png"));
    EXPECT_FALSE(zip.find(u"stored.png"));
}

TEST(ZipReader, TheScanEndsAtACompressedMember)
{
    TemporaryFolder folder;
    write_file(folder.file("a.zip"), stored_zip({{"before.png", pattern(10, 'a'), false, ""},
                                                 {"deflated.png", pattern(100, 'a'), true, ""},
                                                 {"after.png", pattern(10, 'b'), false, ""}}));
    ZipReader zip(utf8_to_utf16(folder.file("a.zip")));
    EXPECT_TRUE(zip.find(u"before.png"));
    EXPECT_FALSE(zip.find(u"after.png"));
}

TEST(ZipReader, ATruncatedArchiveGivesTheMembersThatAreWhole)
{
    TemporaryFolder folder;
    const std::string whole = stored_zip({{"one.png", pattern(40, 'a'), false, ""},
                                          {"two.png", pattern(40, 'b'), false, ""}});
    const size_t second_header = 30 + 7 + 40;
    for (const size_t cut : {second_header + 10, second_header + 30 + 7 + 20, second_header + 30 + 7 + 39}) {
        write_file(folder.file("cut.zip"), whole.substr(0, cut));
        ZipReader zip(utf8_to_utf16(folder.file("cut.zip")));
        EXPECT_TRUE(zip.find(u"one.png")) << cut;
        EXPECT_FALSE(zip.find(u"two.png")) << cut;
    }
    // Without the central directory the last member is still whole.
    write_file(folder.file("cut.zip"), whole.substr(0, second_header + 30 + 7 + 40));
    ZipReader zip(utf8_to_utf16(folder.file("cut.zip")));
    EXPECT_TRUE(zip.find(u"two.png"));
    EXPECT_EQ(zip.size(), 40u);
}

TEST(ZipReader, FindsMembersBehindLongNames)
{
    TemporaryFolder folder;
    const std::string long_name = "figures/" + std::string(300, 'n') + ".png";
    write_file(folder.file("a.zip"), stored_zip({{long_name, pattern(10, 'a'), false, std::string(500, 'e')},
                                                 {"after.png", pattern(12, 'b'), false, ""}}));
    ZipReader zip(utf8_to_utf16(folder.file("a.zip")));
    EXPECT_TRUE(zip.find(utf8_to_utf16(long_name)));
    EXPECT_EQ(zip.size(), 10u);
    EXPECT_FALSE(zip.find(utf8_to_utf16(long_name.substr(0, 100))));
    ASSERT_TRUE(zip.find(u"after.png"));
    std::string bytes(12, '\0');
    EXPECT_EQ(zip.read(bytes.data(), bytes.size()), 12u);
    EXPECT_EQ(bytes, pattern(12, 'b'));
}

TEST(ZipReader, AMissingArchiveFindsNothing)
{
    TemporaryFolder folder;
    ZipReader zip(utf8_to_utf16(folder.file("missing.zip")));
    EXPECT_FALSE(zip.is_open());
    EXPECT_FALSE(zip.find(u"Ori.png"));
    char buffer[4];
    EXPECT_EQ(zip.read(buffer, sizeof buffer), 0u);
    EXPECT_EQ(zip.size(), 0u);
}

TEST(ZipReader, AFileThatIsNoArchiveFindsNothing)
{
    TemporaryFolder folder;
    write_file(folder.file("text.zip"), "This is not an archive, just text long enough for a header.");
    ZipReader zip(utf8_to_utf16(folder.file("text.zip")));
    EXPECT_TRUE(zip.is_open());
    EXPECT_FALSE(zip.find(u"This"));
}

} // namespace

} // namespace stellaro
