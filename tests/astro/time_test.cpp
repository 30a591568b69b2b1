#include "astro/angles.h"
#include "astro/earth_rotation.h"
#include "astro/julian_date.h"
#include "astro/observer_time.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace stellaro {

namespace {

constexpr double SECOND_IN_HOURS = 1.0 / 3600.0;

double hms(double h, double m, double s)
{
    return h + m / 60.0 + s / 3600.0;
}

TEST(Calendar, JulianDaysAcrossTheGregorianSwitchAndBack)
{
    struct Case {
        int year, month;
        double day;
        bool gregorian;
        double jd;
    };
    for (const Case& c : {Case{2000, 1, 1.5, true, 2451545.0}, Case{1582, 10, 15.0, true, 2299160.5},
                          Case{1582, 10, 4.0, false, 2299159.5}, Case{1987, 1, 27.0, true, 2446822.5},
                          Case{333, 1, 27.5, false, 1842713.0}, Case{-1000, 7, 12.5, false, 1356001.0},
                          Case{-4712, 1, 1.5, false, 0.0}}) {
        EXPECT_DOUBLE_EQ(julian_day_from_calendar(c.year, c.month, c.day, c.gregorian), c.jd) << c.year;
        const CalendarMoment back = calendar_from_julian_date(JulianDate(c.jd, c.gregorian));
        EXPECT_EQ((std::array{back.year, back.month, back.day, back.hour}),
                  (std::array{c.year, c.month, static_cast<int>(c.day), static_cast<int>(std::fmod(c.day, 1.0) * 24)}))
            << c.jd;
    }
    EXPECT_NEAR(calendar_from_julian_date(JulianDate(2451545.0, true)).second, 0.0, 1e-4);

    // Every day around the switch, and a civil moment of today.
    for (double jd = 2299100.5; jd < 2299220.5; jd += 1.0) {
        const JulianDate date(jd, true);
        const CalendarMoment moment = calendar_from_julian_date(date);
        EXPECT_DOUBLE_EQ(julian_day_from_calendar(moment.year, moment.month, moment.day, date.gregorian), jd);
    }
    const CalendarMoment back = calendar_from_julian_date(julian_date_from_civil(2026, 12, 24, 20, 30, 15, true));
    EXPECT_EQ((std::array{back.year, back.month, back.day, back.hour, back.minute}), (std::array{2026, 12, 24, 20, 30}));
    EXPECT_NEAR(back.second, 15.0, 1e-3);
}

TEST(Calendar, GregorianFlagOnlyFromTheFirstGregorianDay)
{
    EXPECT_FALSE(JulianDate(2299159.5, true).gregorian);
    EXPECT_TRUE(JulianDate(2299160.5, true).gregorian);
    EXPECT_FALSE(JulianDate(2451545.0, false).gregorian);
    EXPECT_FALSE(julian_date_from_civil(1500, 3, 1, 0, 0, 0, true).gregorian);
    const JulianDate fresh;
    EXPECT_EQ(fresh.jd, 0.0);
    EXPECT_FALSE(fresh.gregorian);
}

TEST(Calendar, LeapYearsAndMonthLengths)
{
    EXPECT_FALSE(is_leap_year(1900, true));
    EXPECT_TRUE(is_leap_year(1900, false));
    EXPECT_TRUE(is_leap_year(2000, true));
    EXPECT_TRUE(is_leap_year(2000, false));
    EXPECT_FALSE(is_leap_year(2026, true));
    EXPECT_EQ(days_in_month(2, true), 29);
    EXPECT_EQ(days_in_month(2, false), 28);
    EXPECT_EQ(days_in_month(12, false), 31);
    EXPECT_EQ(days_in_month(11, false), 30);
}

TEST(Angles, NormalisingKeepsAFullTurn)
{
    EXPECT_DOUBLE_EQ(normalize_degrees(-30.0), 330.0);
    EXPECT_DOUBLE_EQ(normalize_degrees(720.0), 360.0);
    EXPECT_DOUBLE_EQ(normalize_degrees(725.0), 5.0);
    EXPECT_DOUBLE_EQ(normalize_degrees(-720.0), 0.0);
    EXPECT_NEAR(normalize_degrees(1e7 + 0.25), 280.25, 1e-6);
    EXPECT_DOUBLE_EQ(normalize_hours(24.0), 24.0);
    EXPECT_DOUBLE_EQ(normalize_hours(-1.0), 23.0);
    EXPECT_DOUBLE_EQ(degrees_from_dms(23, 26, 21.448, true), 23.0 + 26.0 / 60.0 + 21.448 / 3600.0);
    EXPECT_DOUBLE_EQ(degrees_from_dms(1, 30, 0, false), -1.5);
}

TEST(SiderealTime, PublishedValuesFor1987April10)
{
    const double jd = 2446895.5;
    EXPECT_NEAR(greenwich_mean_sidereal_time(jd), hms(13, 10, 46.3668), 0.0005 * SECOND_IN_HOURS);
    EXPECT_NEAR(greenwich_apparent_sidereal_time(jd), hms(13, 10, 46.1351), 0.0005 * SECOND_IN_HOURS);
    // Later the same day: 19h21m00s UT gives 8h34m57.0896s.
    EXPECT_NEAR(greenwich_mean_sidereal_time(2446896.30625), hms(8, 34, 57.0896), 0.001 * SECOND_IN_HOURS);
}

TEST(SiderealTime, NutationAndObliquity)
{
    const double jd = 2446895.5;
    const Nutation n = nutation(jd);
    EXPECT_NEAR(n.longitude, -3.788, 0.001);
    EXPECT_NEAR(n.obliquity, 9.443, 0.001);
    EXPECT_NEAR(mean_obliquity(jd), degrees_from_dms(23, 26, 27.407, true), 0.001 / 3600.0);
    EXPECT_NEAR(true_obliquity(jd), degrees_from_dms(23, 26, 36.850, true), 0.001 / 3600.0);
    EXPECT_DOUBLE_EQ(nutation_in_longitude(jd), n.longitude);
}

TEST(ObserverTime, PlaceAndMoment)
{
    ObserverTime observer;
    EXPECT_EQ(observer.jd, 0.0);
    EXPECT_DOUBLE_EQ(observer.sidereal_time, greenwich_apparent_sidereal_time(0.0));

    observer.set_observer(37.6173, 55.7558);
    EXPECT_DOUBLE_EQ(observer.longitude_hours, (360.0 - 37.6173) / 15.0);
    EXPECT_DOUBLE_EQ(observer.latitude, 55.7558);

    // 03:00 at UTC+3 on 1987-04-10 is 0 h UT.
    observer.set_moment(2446895.5, 3, 0, 0, -3);
    EXPECT_DOUBLE_EQ(observer.jd, 2446895.5);
    EXPECT_NEAR(observer.sidereal_time, hms(13, 10, 46.1351), 0.0005 * SECOND_IN_HOURS);
    EXPECT_NEAR(observer.local_sidereal_time(), observer.sidereal_time + 37.6173 / 15.0, 1e-9);

    // India's half hour is kept.
    observer.set_moment(2451544.5, 5, 30, 0, -5.5);
    EXPECT_DOUBLE_EQ(observer.jd, 2451544.5);
}

} // namespace

} // namespace stellaro
