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
    for (const char16_t* name : {u"Ori.png", u"ORI.PNG", u"ori.png\\", u"Maps\\", u"maps/tile_0_0.jpg", u"uma.png"})
        EXPECT_TRUE(zip.find(name)) << utf16_to_utf8(name);
    EXPECT_EQ(zip.size(), 20u);
    // Separators inside a name are not interchangeable.
    EXPECT_FALSE(zip.find(u"maps\\Tile_0_0.jpg"));
    EXPECT_FALSE(zip.find(u"Ori.png//"));
    // A missing name scans to the directory and leaves no member to read.
    EXPECT_FALSE(zip.find(u"Cas.png"));
    EXPECT_EQ(zip.size(), 0u);
    char buffer[8];
    EXPECT_EQ(zip.read(buffer, sizeof buffer), 0u);
    EXPECT_TRUE(zip.find(u"ori.png"));
}

TEST_F(ZipReaderTest, ReadsSkipsAndSeeksNeverLeaveTheMember)
{
    ZipReader zip(figures());
    ASSERT_TRUE(zip.find(u"maps/Tile_0_0.jpg"));
    std::string bytes(1000, '\0');
    EXPECT_EQ(zip.read(bytes.data(), bytes.size()), 50u);
    EXPECT_EQ(bytes.substr(0, 50), pattern(50, 'A'));
    EXPECT_EQ(zip.read(bytes.data(), bytes.size()), 0u);

    ASSERT_TRUE(zip.find(u"Ori.png"));
    EXPECT_EQ(zip.skip(100), 100u);
    EXPECT_EQ(zip.read(bytes.data(), bytes.size()), 200u);
    EXPECT_EQ(bytes.substr(0, 200), pattern(300, 'a').substr(100));
    EXPECT_EQ(zip.skip(10), 0u);
    // Beyond the end is refused and the position kept: no later read reaches the next member.
    ASSERT_TRUE(zip.seek(10));
    EXPECT_FALSE(zip.seek(301));
    EXPECT_FALSE(zip.seek(1u << 31));
    EXPECT_EQ(zip.tell(), 10u);
    EXPECT_EQ(zip.read(bytes.data(), bytes.size()), 290u);

    ASSERT_TRUE(zip.find(u"empty.txt"));
    EXPECT_EQ(zip.read(bytes.data(), 4), 0u);
    EXPECT_FALSE(zip.seek(1));
    OutputStream& output = zip;
    EXPECT_EQ(output.write("#~!", 3), 0u);
    EXPECT_EQ(read_file(path()).find("#~!"), std::string::npos);
}

// Each archive with the members a reader must find and those it must not.
TEST_F(ZipReaderTest, DamagedArchivesGiveOnlyTheMembersThatAreWholeAndStored)
{
    const std::string two = stored_zip({{"one.png", pattern(40, 'a'), false, ""}, {"two.png", pattern(40, 'b'), false, ""}});
    const size_t second_header = 30 + 7 + 40;
    const std::string long_name = "figures/" + std::string(300, 'n') + ".png";
    const struct {
        std::string bytes;
        std::vector<std::string> found, missing;
    } archives[] = {
        {two.substr(0, second_header + 10), {"one.png"}, {"two.png"}},
        {two.substr(0, second_header + 30 + 7 + 39), {"one.png"}, {"two.png"}},
        // Without the central directory the last member is still whole.
        {two.substr(0, second_header + 30 + 7 + 40), {"one.png", "two.png"}, {}},
        // The scan ends at a compressed member.
        {stored_zip({{"deflated.png", pattern(100, 'a'), true, ""}, {"stored.png", pattern(10, 'b'), false, ""}}),
         {},
         {"deflated.png", "stored.png"}},
        {stored_zip({{"before.png", pattern(10, 'a'), false, ""},
                     {"deflated.png", pattern(100, 'a'), true, ""},
                     {"after.png", pattern(10, 'b'), false, ""}}),
         {"before.png"},
         {"after.png"}},
        {stored_zip({{long_name, pattern(10, 'a'), false, std::string(500, 'e')}, {"after.png", pattern(12, 'b'), false, ""}}),
         {long_name, "after.png"},
         {long_name.substr(0, 100)}},
        {"This is not an archive, just text long enough for a header.", {}, {"This"}},
    };
    for (const auto& archive_case : archives) {
        ZipReader zip(archive(archive_case.bytes));
        for (const std::string& name : archive_case.found) {
            ASSERT_TRUE(zip.find(utf8_to_utf16(name))) << name.substr(0, 20) << " in " << archive_case.bytes.size();
            std::string bytes(zip.size(), '\0');
            EXPECT_EQ(zip.read(bytes.data(), bytes.size()), bytes.size());
            EXPECT_EQ(bytes, pattern(bytes.size(), bytes.empty() ? 'a' : bytes[0]));
        }
        for (const std::string& name : archive_case.missing)
            EXPECT_FALSE(zip.find(utf8_to_utf16(name))) << name.substr(0, 20) << " in " << archive_case.bytes.size();
    }
    EXPECT_FALSE(ZipReader(utf8_to_utf16(folder.file("missing.zip"))).find(u"Ori.png"));
}

TEST_F(ZipReaderTest, LooksMembersUpInTheIndexMadeWhenOpenedWithoutRescanning)
{
    ZipReader zip(figures());
    EXPECT_EQ(zip.member_count(), 5u);
    // Damage the first local header after opening: a rescan would stop there at once.
    std::string bytes = read_file(path());
    bytes[0] = 'X';
    write_file(path(), bytes);
    ASSERT_TRUE(zip.find(u"uma.png"));
    char buffer[20];
    ASSERT_EQ(zip.read(buffer, sizeof buffer), 20u);
    EXPECT_EQ(std::string(buffer, 20), pattern(20, 'k'));
}

} // namespace

} // namespace stellaro
