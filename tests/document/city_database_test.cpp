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

std::string record(const std::string& country, const std::string& name, const std::string& key, int32_t lat, int32_t lon,
                   const std::string& zone = "Europe/Paris")
{
    ByteWriter out;
    out.bytes(short_string(country)).bytes(short_string(name)).bytes(short_string(key)).u32(lat).u32(lon);
    out.bytes(short_string(zone));
    return out.str();
}

std::string file_of(int32_t count, const std::string& records)
{
    return ByteWriter().u32(count).bytes(records).str();
}

TEST(CityDatabase, RecordsRoundTripWithScaledCoordinatesAndBothLengthForms)
{
    std::vector<CityRecord> cities(2);
    cities[0] = {u"S\u00e3o Paulo", u"7 6 72856", u"BR", -23 * 1024 - 560, -46 * 1024 - 650, "America/Sao_Paulo"};
    // Over 127 characters the length takes the long form.
    cities[1] = {std::u16string(200, u'x'), std::u16string(200, u'9'), u"XX", 0, 0, ""};
    std::vector<CityRecord> back;
    const CityReadResult result = parse_cities(serialize_cities(cities), back);
    EXPECT_TRUE(result.sound()) << result.problem;
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].name, cities[0].name);
    EXPECT_EQ(back[0].key, cities[0].key);
    EXPECT_EQ(back[0].zone, "America/Sao_Paulo");
    EXPECT_EQ(back[0].latitude, cities[0].latitude);
    EXPECT_EQ(back[0].longitude, cities[0].longitude);
    EXPECT_EQ(back[1].name, cities[1].name);
    // Stored coordinates are degrees x 2^20, truncated toward zero to 2^10.
    EXPECT_TRUE(parse_cities(file_of(1, record("IN", "Delhi", "33544", -1048577, 77 * 1048576)), back).sound());
    EXPECT_EQ(back[0].latitude, -1024);
    EXPECT_EQ(back[0].longitude, 77 * 1024);
}

// Each damaged file with the cities that survive it.
TEST(CityDatabase, DamagedFilesAreReportedAndKeepTheSoundRecords)
{
    const std::string good = record("XX", "Good", "4663", 0, 0);
    const std::string cut = record("XX", "Paris", "72747", 1, 2);
    const struct {
        std::string bytes;
        size_t kept;
    } files[] = {
        {"", 0},
        {"\x01\x00", 0},
        // Counts that do not match the records there are.
        {file_of(-5, good), 1},
        {file_of(INT32_MAX, good), 1},
        {file_of(2, good), 1},
        {file_of(1, cut.substr(0, cut.size() - 3)), 0},
        {file_of(1, std::string("\x7F") + "ab"), 0},
        // A negative long length, a length of 123 bytes, a four-byte length of nothing.
        {file_of(2, good + short_string("XX") + "\xFF\xC8" + std::string(40, 'a')), 1},
        {file_of(2, good + short_string("XX") + "\x85" + std::string(40, 'a')), 1},
        {file_of(2, good + short_string("XX") + std::string("\xFC\x00\x00\x00\x00", 5) + std::string(40, 'a')), 1},
        // Each field holding what it cannot: a country of other letters, a name of control
        // characters or an unpaired surrogate, a key of another name, a place off the globe.
        {file_of(2, good + record("Xx", "Bad", "223", 0, 0)), 1},
        {file_of(2, good + record("XX", "B\x01d", "2 3", 0, 0)), 1},
        {file_of(2, good + ByteWriter().bytes(short_string("XX")).u8(1).u16(0xD800).u8(1).u16(' ').u32(0).u32(0).u8(0).str()), 1},
        {file_of(2, good + record("XX", "Bad", "224", 0, 0)), 1},
        {file_of(2, good + record("XX", "Bad", "223", 91 * 1048576, 0)), 1},
        // Zones that would name files outside the zone database, or are no names at all.
        {file_of(2, good + record("XX", "Bad", "223", 0, 0, "../../etc/passwd")), 1},
        {file_of(2, good + record("XX", "Bad", "223", 0, 0, "/etc/passwd")), 1},
        {file_of(2, good + record("XX", "Bad", "223", 0, 0, "Europe/Paris extra")), 1},
        {file_of(2, good + record("XX", "Bad", "223", 0, 0, ":Europe/Paris")), 1},
    };
    for (const auto& file : files) {
        std::vector<CityRecord> cities;
        const CityReadResult result = parse_cities(file.bytes, cities);
        EXPECT_FALSE(result.sound()) << file.bytes.size() << " bytes";
        ASSERT_EQ(cities.size(), file.kept) << file.bytes.size() << " bytes: " << result.problem;
        EXPECT_LT(cities.capacity(), 16u) << "nothing is reserved for records not there";
        if (file.kept) {
            EXPECT_EQ(cities[0].name, u"Good");
        }
    }
}

TEST(CityDatabase, ReadingGoesOnAfterADamagedRecordSoTheCitiesAroundItSurvive)
{
    const std::string before = record("FR", "Paris", "72747", 48 << 20, 2 << 20);
    std::string damaged = record("DE", "Berlin", "237546", 52 << 20, 13 << 20);
    const std::string after = record("IT", "Rome", "7663", 41 << 20, 12 << 20);
    for (size_t at = 0; at < damaged.size(); ++at) {
        std::string bytes = file_of(3, before + damaged + after);
        bytes[4 + before.size() + at] = static_cast<char>(~bytes[4 + before.size() + at]);
        std::vector<CityRecord> cities;
        const CityReadResult result = parse_cities(bytes, cities);
        // A flipped byte of a coordinate may leave it on the globe; every other flip is seen.
        if (result.sound())
            continue;
        ASSERT_GE(cities.size(), 2u) << at;
        EXPECT_EQ(cities.front().name, u"Paris") << at;
        EXPECT_EQ(cities.back().name, u"Rome") << at;
        EXPECT_NE(result.problem.find("where its count says 3"), std::string::npos) << result.problem;
    }
}

} // namespace

} // namespace stellaro
