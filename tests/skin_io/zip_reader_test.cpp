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

class ZipReaderTest : public ::testing::Test {
protected:
    // The archive written to a file of the folder, as the reader takes its name.
    std::u16string archive(const std::string& bytes) const
    {
        write_file(path(), bytes);
        return utf8_to_utf16(path());
    }
    std::string path() const { return folder.file("figures.zip"); }
    // Several stored members, one behind an extra field.
    std::u16string figures() const
    {
        return archive(stored_zip({
            {"Ori.png", pattern(300, 'a'), false, ""},
            {"maps/", "", false, ""},
            {"maps/Tile_0_0.jpg", pattern(50, 'A'), false, "extra-bytes"},
            {"empty.txt", "", false, ""},
            {"UMa.PNG", pattern(20, 'k'), false, ""},
        }));
    }

    TemporaryFolder folder;
};

TEST_F(ZipReaderTest, FindsMembersIgnoringLetterCaseAndOneTrailingSeparator)
{
    ZipReader zip(figures());
    ASSERT_TRUE(zip.is_open());
    for (const char16_t* name : {u"Ori.png", u"ORI.PNG", u"ori.png/", u"ori.png\\", u"maps", u"Maps\\",
                                 u"maps/tile_0_0.jpg", u"uma.png"})
        EXPECT_TRUE(zip.find(name)) << utf16_to_utf8(name);
    EXPECT_EQ(zip.size(), 20u);
    // Separators inside a name are not interchangeable.
    EXPECT_FALSE(zip.find(u"maps\\Tile_0_0.jpg"));
    EXPECT_FALSE(zip.find(u"Ori.png//"));
    // A missing name scans to the directory and leaves no member; a later find starts again.
    ASSERT_TRUE(zip.find(u"Ori.png"));
    EXPECT_FALSE(zip.find(u"Cas.png"));
    EXPECT_EQ(zip.size(), 0u);
    char buffer[8];
    EXPECT_EQ(zip.read(buffer, sizeof buffer), 0u);
    EXPECT_TRUE(zip.find(u"ori.png"));
}

TEST_F(ZipReaderTest, ReadsSkipsAndSeeksOnlyInsideTheMember)
{
    ZipReader zip(figures());
    ASSERT_TRUE(zip.find(u"maps/Tile_0_0.jpg"));
    std::string bytes(1000, '\0');
    EXPECT_EQ(zip.read(bytes.data(), bytes.size()), 50u);
    EXPECT_EQ(bytes.substr(0, 50), pattern(50, 'A'));
    EXPECT_EQ(zip.read(bytes.data(), bytes.size()), 0u);
    // The data starts behind the 30 fixed header bytes, the name and the extra field.
    EXPECT_EQ(read_file(path()).substr(zip.data_offset(), 50), pattern(50, 'A'));

    ASSERT_TRUE(zip.find(u"Ori.png"));
    EXPECT_EQ(zip.skip(100), 100u);
    EXPECT_EQ(zip.read(bytes.data(), bytes.size()), 200u);
    EXPECT_EQ(bytes.substr(0, 200), pattern(300, 'a').substr(100));
    EXPECT_EQ(zip.tell(), 300u);
    EXPECT_EQ(zip.skip(10), 0u);
    EXPECT_TRUE(zip.seek(299));
    EXPECT_EQ(zip.read(bytes.data(), 1), 1u);
    EXPECT_EQ(bytes[0], pattern(300, 'a')[299]);
    EXPECT_TRUE(zip.seek(300));
    // Beyond the end is refused and the position kept: no later read reaches the next member.
    ASSERT_TRUE(zip.seek(10));
    EXPECT_FALSE(zip.seek(301));
    EXPECT_FALSE(zip.seek(1u << 31));
    EXPECT_EQ(zip.tell(), 10u);
    EXPECT_EQ(zip.read(bytes.data(), bytes.size()), 290u);

    ASSERT_TRUE(zip.find(u"empty.txt"));
    EXPECT_EQ(zip.size(), 0u);
    EXPECT_EQ(zip.read(bytes.data(), 4), 0u);
    EXPECT_TRUE(zip.seek(0));
    EXPECT_FALSE(zip.seek(1));

    OutputStream& output = zip;
    EXPECT_EQ(output.write("#~!", 3), 0u);
    EXPECT_EQ(read_file(path()).find("#~!"), std::string::npos);
}

TEST_F(ZipReaderTest, TheScanEndsAtACompressedMember)
{
    ZipReader first(archive(stored_zip({{"deflated.png", pattern(100, 'a'), true, ""},
                                        {"stored.png", pattern(10, 'b'), false, ""}})));
    EXPECT_FALSE(first.find(u"deflated.png"));
    EXPECT_FALSE(first.find(u"stored.png"));
    ZipReader middle(archive(stored_zip({{"before.png", pattern(10, 'a'), false, ""},
                                         {"deflated.png", pattern(100, 'a'), true, ""},
                                         {"after.png", pattern(10, 'b'), false, ""}})));
    EXPECT_TRUE(middle.find(u"before.png"));
    EXPECT_FALSE(middle.find(u"after.png"));
}

TEST_F(ZipReaderTest, ATruncatedArchiveGivesTheMembersThatAreWhole)
{
    const std::string whole = stored_zip({{"one.png", pattern(40, 'a'), false, ""},
                                          {"two.png", pattern(40, 'b'), false, ""}});
    const size_t second_header = 30 + 7 + 40;
    for (const size_t cut : {second_header + 10, second_header + 30 + 7 + 20, second_header + 30 + 7 + 39}) {
        ZipReader zip(archive(whole.substr(0, cut)));
        EXPECT_TRUE(zip.find(u"one.png")) << cut;
        EXPECT_FALSE(zip.find(u"two.png")) << cut;
    }
    // Without the central directory the last member is still whole.
    ZipReader zip(archive(whole.substr(0, second_header + 30 + 7 + 40)));
    EXPECT_TRUE(zip.find(u"two.png"));
    EXPECT_EQ(zip.size(), 40u);
}

TEST_F(ZipReaderTest, FindsMembersBehindLongNames)
{
    const std::string long_name = "figures/" + std::string(300, 'n') + ".png";
    ZipReader zip(archive(stored_zip({{long_name, pattern(10, 'a'), false, std::string(500, 'e')},
                                      {"after.png", pattern(12, 'b'), false, ""}})));
    EXPECT_TRUE(zip.find(utf8_to_utf16(long_name)));
    EXPECT_EQ(zip.size(), 10u);
    EXPECT_FALSE(zip.find(utf8_to_utf16(long_name.substr(0, 100))));
    ASSERT_TRUE(zip.find(u"after.png"));
    std::string bytes(12, '\0');
    EXPECT_EQ(zip.read(bytes.data(), bytes.size()), 12u);
    EXPECT_EQ(bytes, pattern(12, 'b'));
}

TEST_F(ZipReaderTest, AMissingArchiveOrAFileThatIsNoArchiveFindsNothing)
{
    ZipReader missing(utf8_to_utf16(folder.file("missing.zip")));
    EXPECT_FALSE(missing.is_open());
    EXPECT_FALSE(missing.find(u"Ori.png"));
    char buffer[4];
    EXPECT_EQ(missing.read(buffer, sizeof buffer), 0u);
    EXPECT_EQ(missing.size(), 0u);
    ZipReader text(archive("This is not an archive, just text long enough for a header."));
    EXPECT_TRUE(text.is_open());
    EXPECT_FALSE(text.find(u"This"));
}

} // namespace

} // namespace stellaro
