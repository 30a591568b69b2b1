#include "document/city_database.h"
#include "document/document.h"
#include "platform/utf.h"
#include "skin/io/registry.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override { write_cities({}); }

    void write_cities(const std::vector<CityRecord>& cities) { write_file(cities_path(), serialize_cities(cities)); }
    std::u16string cities_file() const { return utf8_to_utf16(cities_path()); }
    std::string cities_path() const { return folder.file("cities.db"); }

    TemporaryRegistry registry;
    TemporaryFolder folder;
    EnvironmentGuard zone{"TZ", "UTC"};
};

// An ASCII name with its keypad key.
CityRecord city(const std::u16string& name, double latitude, double longitude)
{
    std::u16string key;
    for (const char16_t c : name)
        key.push_back(static_cast<char16_t>("22233344455566677778889999"[(c | 0x20) - u'a']));
    return {name, key, u"XX", static_cast<int32_t>(latitude * 1024), static_cast<int32_t>(longitude * 1024), ""};
}

struct CountingListener : DocumentListener {
    void document_changed(DocumentChange change) override
    {
        ++calls;
        by_city = change.by_city;
    }
    int calls = 0;
    bool by_city = false;
};

TEST_F(DocumentTest, StoredPlaceIsClampedScaledAndSavedOnlyWhenItChangesAndPersists)
{
    reg_set_dword(SETTINGS_KEY, u"longitude", static_cast<uint32_t>(200 * 1048576));
    reg_set_dword(SETTINGS_KEY, u"latitude", static_cast<uint32_t>(-100 * 1048576));
    reg_set_dword(SETTINGS_KEY, u"show_grid", 0);
    reg_set_dword(SETTINGS_KEY, u"refraction", 0);
    reg_set_string(SETTINGS_KEY, u"show_stars", u"0"); // wrong type: ignored
    uint32_t stored = 0;
    {
        Document document(cities_file());
        EXPECT_EQ(document.longitude, 180.0);
        EXPECT_EQ(document.latitude, -90.0);
        EXPECT_FALSE(document.show_grid);
        EXPECT_FALSE(document.refraction);
        EXPECT_TRUE(document.show_stars);
        document.refraction = true;
        CountingListener listener;
        document.add_listener(&listener);
        document.add_listener(&listener);
        document.set_location(180.0, -90.0);
        EXPECT_EQ(listener.calls, 0);
        document.set_location(12.3456789, 0.5);
        EXPECT_EQ(listener.calls, 2); // once for each time it was added
        EXPECT_FALSE(listener.by_city);
    }
    ASSERT_TRUE(reg_get_dword(SETTINGS_KEY, u"longitude", stored));
    EXPECT_EQ(stored, 12945382u);
    Document again(cities_file());
    EXPECT_DOUBLE_EQ(again.longitude, 12.345678329467773);
    EXPECT_EQ(again.observer.latitude, 0.5);
    EXPECT_TRUE(again.refraction) << "saved with the place";
    // Listeners removed themselves when they went.
    EXPECT_TRUE(again.listeners.empty());
    again.set_persistent(false);
    again.set_location(5.0, 6.0);
    ASSERT_TRUE(reg_get_dword(SETTINGS_KEY, u"longitude", stored));
    EXPECT_EQ(stored, 12945382u);
}

TEST_F(DocumentTest, NearestCityAcrossTheDateLineAndTiesAndAMissingFileGivesNone)
{
    write_cities({city(u"Far", 40.0, 100.0), city(u"West", 0.0, -179.9), city(u"TieA", 50.0, 10.0), city(u"TieB", 50.0, 10.0),
                  city(u"North", 0.0, 170.0)});
    {
        Document document(cities_file());
        ASSERT_EQ(document.cities.size(), 5u);
        // East-west distance shrinks with the cosine of the latitude.
        const double places[][3] = {{179.9, 0.0, 1}, {10.1, 50.1, 2}, {-60.0, 0.0, -1}, {103.0, 40.0, 0}};
        for (const auto& [longitude, latitude, nearest] : places)
            EXPECT_EQ(document.find_nearest_city(longitude, latitude), nearest) << longitude << ", " << latitude;
        CountingListener listener;
        document.add_listener(&listener);
        document.set_city(1);
        EXPECT_TRUE(listener.by_city);
        EXPECT_NEAR(document.longitude, -179.9, 0.001);
        document.set_city(99);
        EXPECT_EQ(document.city_index, 1);
    }
    Document document(u"/nonexistent/cities.db");
    EXPECT_EQ(document.find_nearest_city(0, 0), -1);
}

TEST_F(DocumentTest, ZoneBiasKeepsHalfHoursAndFollowsDaylightSavingOfTheDateShown)
{
    Document document(cities_file());
    const struct {
        const char* zone;
        double day;
        int bias;
    } cases[] = {
        {"Asia/Kolkata", 2451544.5, -330}, {"Asia/Kathmandu", 2451544.5, -345},
        {"Europe/Paris", 2461215.5, -120}, // 2026-07-14
        {"Europe/Paris", 2461398.5, -60},  // 2027-01-13
    };
    for (const auto& c : cases) {
        zone.set(c.zone);
        document.set_moment(c.day, 21.0, 0.0);
        EXPECT_EQ(document.zone_bias_minutes(), c.bias) << c.zone;
        EXPECT_DOUBLE_EQ(document.observer.jd, c.day + 21.0 / 24.0 + c.bias / 1440.0) << c.zone;
    }
    EXPECT_FALSE(document.live_time);
    document.set_fixed_zone(-180);
    EXPECT_DOUBLE_EQ(document.observer.jd, 2461398.5 + 18.0 / 24.0);
}

TEST_F(DocumentTest, TheLocalTimeIsInTheZoneOfThePlacesCityWithItsDaylightSaving)
{
    const auto in_zone = [](CityRecord city, const char* zone) {
        city.zone = zone;
        return city;
    };
    write_cities({in_zone(city(u"Delhi", 28.65, 77.23), "Asia/Kolkata"), in_zone(city(u"Kathmandu", 27.70, 85.32), "Asia/Kathmandu"),
                  in_zone(city(u"Sydney", -33.87, 151.21), "Australia/Sydney"), in_zone(city(u"Berlin", 52.52, 13.40), "Europe/Berlin"),
                  in_zone(city(u"Nowhere", 10.0, 40.0), "Mars/Olympus_Mons")});
    Document document(cities_file());
    const struct {
        double longitude, latitude;
        double day; // Julian day of the local date
        double hour;
        const char* zone;
        int bias;
    } cases[] = {
        {77.23, 28.65, 2460324.5, 12.0, "Asia/Kolkata", -330},      // 2024-01-15
        {85.32, 27.70, 2460324.5, 12.0, "Asia/Kathmandu", -345},
        {151.21, -33.87, 2460324.5, 12.0, "Australia/Sydney", -660}, // the southern summer
        {151.21, -33.87, 2460477.5, 12.0, "Australia/Sydney", -600}, // 2024-06-16, its winter
        {13.40, 52.52, 2460400.5, 1.5, "Europe/Berlin", -60},        // 2024-03-31, before the clocks go forward
        {13.40, 52.52, 2460400.5, 3.5, "Europe/Berlin", -120},       // and after
        {-150.0, 0.0, 2460324.5, 12.0, "Etc/GMT+10", 600},           // at sea, far from any city
    };
    for (const auto& c : cases) {
        document.set_location(c.longitude, c.latitude);
        document.set_moment(c.day, c.hour, 0.0);
        EXPECT_EQ(document.zone_name(), c.zone) << c.zone;
        EXPECT_EQ(document.zone_bias_minutes(), c.bias) << c.zone << " " << c.hour;
        EXPECT_DOUBLE_EQ(document.observer.jd, c.day + c.hour / 24.0 + c.bias / 1440.0) << c.zone;
    }
    // A zone the system has no rules for leaves the computer's zone (UTC here), not a wrong one.
    document.set_location(40.0, 10.0);
    EXPECT_EQ(document.zone_rules(), "");
    EXPECT_EQ(document.zone_bias_minutes(), 0);

    // The switch to the computer's zone keeps the local time shown, changes its zone, tells the
    // listeners and is saved.
    document.set_location(77.23, 28.65);
    CountingListener listener;
    document.add_listener(&listener);
    document.set_use_system_zone(true);
    EXPECT_EQ(listener.calls, 1);
    EXPECT_EQ(document.zone_bias_minutes(), 0);
    EXPECT_EQ(document.zone_name(), "UTC");
    bool stored = false;
    EXPECT_TRUE(reg_get_bool(SETTINGS_KEY, u"system_time_zone", stored));
    EXPECT_TRUE(stored);
    document.remove_listener(&listener);
}

TEST(DocumentDeathTest, ASecondDocumentIsFatal)
{
    TemporaryRegistry registry;
    EXPECT_EXIT(
        {
            Document first(u"/nonexistent");
            Document second(u"/nonexistent");
        },
        ::testing::ExitedWithCode(EXIT_FAILURE), "Singleton is already instantiated");
}

} // namespace

} // namespace stellaro
