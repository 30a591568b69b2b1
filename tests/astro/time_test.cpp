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
                          Case{1582, 10, 4.0, false, 2299159.5}, Case{333, 1, 27.5, false, 1842713.0},
                          Case{-1000, 7, 12.5, false, 1356001.0}, Case{-4712, 1, 1.5, false, 0.0}}) {
        EXPECT_DOUBLE_EQ(julian_day_from_calendar(c.year, c.month, c.day, c.gregorian), c.jd) << c.year;
        const CalendarMoment back = calendar_from_julian_date(JulianDate(c.jd, c.gregorian));
        EXPECT_EQ((std::array{back.year, back.month, back.day, back.hour}),
                  (std::array{c.year, c.month, static_cast<int>(c.day), static_cast<int>(std::fmod(c.day, 1.0) * 24)}))
            << c.jd;
    }
    // Every day around the switch comes back; the Gregorian flag holds from its first day only.
    for (double jd = 2299100.5; jd < 2299220.5; jd += 1.0) {
        const JulianDate date(jd, true);
        EXPECT_EQ(date.gregorian, jd >= 2299160.5);
        const CalendarMoment moment = calendar_from_julian_date(date);
        EXPECT_DOUBLE_EQ(julian_day_from_calendar(moment.year, moment.month, moment.day, date.gregorian), jd);
    }
    const CalendarMoment back = calendar_from_julian_date(julian_date_from_civil(2026, 12, 24, 20, 30, 15, true));
    EXPECT_EQ((std::array{back.year, back.month, back.day, back.hour, back.minute}), (std::array{2026, 12, 24, 20, 30}));
    EXPECT_NEAR(back.second, 15.0, 1e-3);
    EXPECT_FALSE(is_leap_year(1900, true));
    EXPECT_TRUE(is_leap_year(1900, false));
    EXPECT_TRUE(is_leap_year(2000, true));
}

TEST(SiderealTime, SiderealTimeNutationAndObliquityFor1987April10)
{
    const double jd = 2446895.5;
    EXPECT_NEAR(greenwich_mean_sidereal_time(jd), hms(13, 10, 46.3668), 0.0005 * SECOND_IN_HOURS);
    EXPECT_NEAR(greenwich_apparent_sidereal_time(jd), hms(13, 10, 46.1351), 0.0005 * SECOND_IN_HOURS);
    EXPECT_NEAR(greenwich_mean_sidereal_time(2446896.30625), hms(8, 34, 57.0896), 0.001 * SECOND_IN_HOURS);
    const Nutation n = nutation(jd);
    EXPECT_NEAR(n.longitude, -3.788, 0.001);
    EXPECT_NEAR(n.obliquity, 9.443, 0.001);
    EXPECT_NEAR(true_obliquity(jd), degrees_from_dms(23, 26, 36.850, true), 0.001 / 3600.0);
}

TEST(ObserverTime, ZoneAndEastLongitudeGiveTheLocalSiderealTime)
{
    ObserverTime observer;
    observer.set_observer(37.6173, 55.7558);
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
