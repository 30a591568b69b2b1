#include "document/city_database.h"
#include "support/byte_writer.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace stellaro {

namespace {

std::string short_string(const std::string& ascii)
{
    ByteWriter out;
    out.u8(static_cast<int64_t>(ascii.size()));
    for (char c : ascii)
        out.u16(c);
    return out.str();
}

std::string record(const std::string& country, const std::string& name, const std::string& key, int32_t lat, int32_t lon)
{
    ByteWriter out;
    out.bytes(short_string(country)).bytes(short_string(name)).bytes(short_string(key)).u32(lat).u32(lon);
    return out.str();
}

std::string file_of(int32_t count, const std::string& records)
{
    return ByteWriter().u32(count).bytes(records).str();
}

TEST(CityDatabase, ReadsRecordsAndScalesCoordinates)
{
    std::string moscow = record("RU", "Moscow", "667269", 0, 0);
    // Latitude bytes 00 00 75 03 are 55.3125 degrees x 2^20.
    moscow.replace(moscow.size() - 8, 4, std::string("\x00\x00\x75\x03", 4));
    const std::string bytes = file_of(2, moscow + record("IN", "Delhi", "33544", -1048577, 77 * 1048576));
    std::vector<CityRecord> cities;
    const CityReadResult result = parse_cities(bytes, cities);
    EXPECT_TRUE(result.complete);
    ASSERT_EQ(cities.size(), 2u);
    EXPECT_EQ(cities[0].name, u"Moscow");
    EXPECT_EQ(cities[0].key, u"667269");
    EXPECT_EQ(cities[0].country, u"RU");
    EXPECT_EQ(cities[0].latitude, 56640);
    EXPECT_EQ(cities[1].latitude, -1024); // truncated toward zero
    EXPECT_EQ(cities[1].longitude, 77 * 1024);
}

TEST(CityDatabase, LengthPrefixForms)
{
    // 0xFE: two length bytes follow (0x2C 0x01 = 300).
    std::string long_name = "\xFE\x2C\x01";
    for (int i = 0; i < 300; ++i)
        long_name += std::string("a\0", 2);
    std::string bytes = file_of(1, short_string("XX") + long_name + short_string("") + std::string(8, '\0'));
    std::vector<CityRecord> cities;
    EXPECT_TRUE(parse_cities(bytes, cities).complete);
    ASSERT_EQ(cities.size(), 1u);
    EXPECT_EQ(cities[0].name.size(), 300u);
    EXPECT_TRUE(cities[0].key.empty());

    // 0xFF 0xC8 gives -56: the read fails. 0x85 asks for 123 length bytes: fails at once.
    for (const std::string& prefix : {std::string("\xFF\xC8"), std::string("\x85"), std::string("\xFC\x00\x00\x00\x00")}) {
        bytes = file_of(2, record("XX", "Good", "4663", 0, 0) + short_string("XX") + prefix + std::string(40, 'a'));
        const CityReadResult result = parse_cities(bytes, cities);
        EXPECT_FALSE(result.complete);
        ASSERT_EQ(cities.size(), 1u) << "the record before the damage is kept";
        EXPECT_EQ(cities[0].name, u"Good");
    }
}

TEST(CityDatabase, DamagedFilesKeepWhatWasRead)
{
    std::vector<CityRecord> cities;
    EXPECT_FALSE(parse_cities("", cities).count_read);
    EXPECT_FALSE(parse_cities("\x01\x00", cities).count_read);
    EXPECT_TRUE(cities.empty());

    const CityReadResult negative = parse_cities(file_of(-5, record("XX", "A", "2", 0, 0)), cities);
    EXPECT_TRUE(cities.empty());
    EXPECT_FALSE(negative.complete);

    // A count far beyond what the file holds reads the records there are and allocates no more.
    const CityReadResult absurd = parse_cities(file_of(INT32_MAX, record("XX", "A", "2", 0, 0)), cities);
    EXPECT_FALSE(absurd.complete);
    EXPECT_EQ(cities.size(), 1u);
    EXPECT_LT(cities.capacity(), 16u);

    // A string longer than the rest of the file, and a record cut inside its coordinates.
    std::string cut = record("XX", "Paris", "72747", 1, 2);
    EXPECT_FALSE(parse_cities(file_of(1, cut.substr(0, cut.size() - 3)), cities).complete);
    EXPECT_TRUE(cities.empty());
    EXPECT_FALSE(parse_cities(file_of(1, std::string("\x7F") + "ab"), cities).complete);

    // Coordinates off the globe are left out; the records after them are read.
    const CityReadResult off = parse_cities(file_of(2, record("XX", "Bad", "223", 91 * 1048576, 0) + record("XX", "Ok", "65", 0, 0)), cities);
    EXPECT_TRUE(off.complete);
    EXPECT_EQ(off.skipped, 1u);
    ASSERT_EQ(cities.size(), 1u);
    EXPECT_EQ(cities[0].name, u"Ok");
}

TEST(CityDatabase, SerializeRoundTrips)
{
    std::vector<CityRecord> cities(2);
    cities[0] = {u"S\u00e3o Paulo", u"7 6 72856", u"BR", -23 * 1024 - 560, -46 * 1024 - 650};
    cities[1].name = std::u16string(200, u'x');
    std::vector<CityRecord> back;
    EXPECT_TRUE(parse_cities(serialize_cities(cities), back).complete);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].name, cities[0].name);
    EXPECT_EQ(back[0].latitude, cities[0].latitude);
    EXPECT_EQ(back[0].longitude, cities[0].longitude);
    EXPECT_EQ(back[1].name, cities[1].name);
}

} // namespace

} // namespace stellaro
