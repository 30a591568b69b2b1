// The calendar arithmetic of the date and time drums, with drums that wrap and report their turns
// as the spinners do.
#include "astro/julian_date.h"
#include "screens/date_time_drums.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace stellaro {

namespace {

class Drums : public DrumHost {
public:
    Drums(int year, int month, int day, double hour, double minute) : arithmetic(*this)
    {
        arithmetic.set_moment({julian_day_from_date(year, month, day), hour, minute});
        arithmetic.show_moment();
    }

    double drum_value(Drum drum) const override { return values[static_cast<size_t>(drum)]; }

    void set_drum_value(Drum drum, double value) override
    {
        double& stored = values[static_cast<size_t>(drum)];
        if (value == stored)
            return;
        const int32_t rows = DateTimeDrums::row_count(drum);
        int32_t crossings = 0;
        if (DateTimeDrums::cyclic(drum)) {
            crossings = static_cast<int32_t>(std::floor(value / rows) - std::floor(stored / rows));
            value -= rows * std::floor(value / rows);
        }
        stored = value;
        arithmetic.value_changed(drum, crossings);
    }

    void moment_moved(const DrumMoment& moment) override { shown = moment; }

    // The user drags the drum to raw; false when the move was refused.
    bool drag(Drum drum, double raw)
    {
        const double old = drum_value(drum);
        SpinnerProposal proposal{raw, raw, 0};
        if (DateTimeDrums::cyclic(drum)) {
            const int32_t rows = DateTimeDrums::row_count(drum);
            proposal.crossings = static_cast<int32_t>(std::floor(raw / rows) - std::floor(old / rows));
            proposal.wrapped = raw - rows * std::floor(raw / rows);
        }
        if (!arithmetic.accept(drum, proposal))
            return false;
        set_drum_value(drum, raw);
        return true;
    }

    CalendarDay date() const { return DateTimeDrums::date_of(shown.date_jd); }
    double local_jd() const { return shown.date_jd + shown.hour / 24.0 + shown.minute / 1440.0; }

    DateTimeDrums arithmetic;
    std::array<double, DRUM_COUNT> values{};
    DrumMoment shown;
};

// The date shown, and the drums on its rows (the one dragged may stand between two).
void expect_date(const Drums& drums, int year, int month, int day)
{
    const CalendarDay date = drums.date();
    EXPECT_EQ(date.year, year);
    EXPECT_EQ(date.month, month);
    EXPECT_EQ(date.day, day);
    EXPECT_EQ(std::floor(drums.drum_value(Drum::YEAR)), year);
    EXPECT_EQ(std::floor(drums.drum_value(Drum::MONTH)), month - 1);
    EXPECT_EQ(std::floor(drums.drum_value(Drum::DAY)), day - 1);
}

} // namespace

TEST(DateTimeDrums, TheMinuteRollsTheHourAndTheDayIsCountedOnce)
{
    Drums drums(2026, 12, 31, 23, 58);
    const double before = drums.local_jd();
    ASSERT_TRUE(drums.drag(Drum::MINUTE, 59.5));
    // During the last minute the hour drum and, on the year's last day, the day drum roll on.
    EXPECT_DOUBLE_EQ(drums.drum_value(Drum::HOUR), 23.5);
    EXPECT_DOUBLE_EQ(drums.drum_value(Drum::DAY), 30.5);
    EXPECT_FALSE(drums.drag(Drum::HOUR, 22.0)) << "the minute drum is rolling into the hour";
    ASSERT_TRUE(drums.drag(Drum::MINUTE, 60.25));
    expect_date(drums, 2027, 1, 1);
    EXPECT_DOUBLE_EQ(drums.shown.hour, 0.0);
    EXPECT_DOUBLE_EQ(drums.drum_value(Drum::HOUR), 0.0);
    EXPECT_DOUBLE_EQ(drums.drum_value(Drum::MINUTE), 0.25);
    EXPECT_NEAR((drums.local_jd() - before) * 1440.0, 2.25, 1e-6);
    // And back again across midnight, into the last minute with its drums half rolled.
    ASSERT_TRUE(drums.drag(Drum::MINUTE, -0.5));
    EXPECT_EQ(drums.date().year, 2026);
    EXPECT_EQ(drums.date().day, 31);
    EXPECT_DOUBLE_EQ(drums.shown.hour, 23.0);
    EXPECT_DOUBLE_EQ(drums.drum_value(Drum::HOUR), 23.5);
    EXPECT_DOUBLE_EQ(drums.drum_value(Drum::YEAR), 2026.5);
    EXPECT_NEAR((drums.local_jd() - before) * 1440.0, 1.5, 1e-6);
}

TEST(DateTimeDrums, TheHourDrumCarriesIntoTheDate)
{
    Drums drums(2026, 2, 28, 22, 30);
    ASSERT_TRUE(drums.drag(Drum::HOUR, 23.5));
    // On the month's last day the day drum crosses the three spare rows in the last hour.
    EXPECT_DOUBLE_EQ(drums.drum_value(Drum::DAY), 27 + 0.5 * 4);
    EXPECT_DOUBLE_EQ(drums.drum_value(Drum::MONTH), 1 + 0.5);
    ASSERT_TRUE(drums.drag(Drum::HOUR, 24.5));
    expect_date(drums, 2026, 3, 1);
    EXPECT_DOUBLE_EQ(drums.shown.hour, 0.5);
}

TEST(DateTimeDrums, TheDayDrumTurnsTheMonthAndOnlyValidDaysAreShown)
{
    Drums drums(2026, 1, 31, 12, 0);
    ASSERT_TRUE(drums.drag(Drum::DAY, 31.25));
    expect_date(drums, 2026, 2, 1);

    Drums february(2026, 2, 27, 12, 0);
    // Through the spare rows the date stays on the last day while the month drum turns.
    ASSERT_TRUE(february.drag(Drum::DAY, 29.0));
    EXPECT_EQ(february.date().day, 28);
    EXPECT_DOUBLE_EQ(february.drum_value(Drum::MONTH), 1 + (30.0 - 28) / 4);
    EXPECT_FALSE(february.drag(Drum::MONTH, 4.0)) << "the day drum is rolling into the month";

    Drums december(2026, 12, 31, 12, 0);
    ASSERT_TRUE(december.drag(Drum::DAY, 31.5));
    expect_date(december, 2027, 1, 1);
}

TEST(DateTimeDrums, ShorterMonthsAndYearsClampTheDay)
{
    Drums common(2026, 1, 31, 12, 0);
    ASSERT_TRUE(common.drag(Drum::MONTH, 1.0));
    expect_date(common, 2026, 2, 28);
    Drums leap(2028, 1, 31, 12, 0);
    ASSERT_TRUE(leap.drag(Drum::MONTH, 1.0));
    expect_date(leap, 2028, 2, 29);

    Drums leap_day(2008, 2, 29, 12, 0);
    ASSERT_TRUE(leap_day.drag(Drum::YEAR, 2009.0));
    expect_date(leap_day, 2009, 2, 28);
    // The year drum's rubber band never leaves the years it holds.
    ASSERT_TRUE(leap_day.drag(Drum::YEAR, 4000.4));
    EXPECT_EQ(leap_day.date().year, DateTimeDrums::YEARS - 1);
    ASSERT_TRUE(leap_day.drag(Drum::YEAR, -0.3));
    EXPECT_EQ(leap_day.date().year, 0);

    Drums december(2026, 12, 15, 12, 0);
    ASSERT_TRUE(december.drag(Drum::MONTH, 12.0));
    expect_date(december, 2027, 1, 15);

    // 1500 was a leap year in the Julian calendar then in force, 1900 not in the Gregorian.
    Drums julian(1500, 1, 31, 12, 0);
    ASSERT_TRUE(julian.drag(Drum::MONTH, 1.0));
    expect_date(julian, 1500, 2, 29);
    Drums gregorian(1900, 1, 31, 12, 0);
    ASSERT_TRUE(gregorian.drag(Drum::MONTH, 1.0));
    expect_date(gregorian, 1900, 2, 28);
}

TEST(DateTimeDrums, ALetGoDrumSnapsToAValidRow)
{
    const Drums february(2026, 2, 10, 12, 0);
    const DateTimeDrums& snap = february.arithmetic;
    EXPECT_DOUBLE_EQ(snap.snap_target(Drum::DAY, 27.8), 27.0) << "row 28 snaps back to the 28th";
    EXPECT_DOUBLE_EQ(snap.snap_target(Drum::DAY, 29.2), 31.0) << "row 29 snaps forward to 1 March";
    EXPECT_DOUBLE_EQ(snap.snap_target(Drum::DAY, 30.4), 31.0);
    EXPECT_DOUBLE_EQ(snap.snap_target(Drum::DAY, 12.4), 12.0);
    EXPECT_DOUBLE_EQ(snap.snap_target(Drum::MINUTE, 41.6), 42.0);
    const Drums april(2026, 4, 10, 12, 0);
    EXPECT_DOUBLE_EQ(april.arithmetic.snap_target(Drum::DAY, 30.0), 31.0) << "a 30-day month's spare row snaps forward";
    // Let go before row 0, the day is counted in the month before.
    const Drums march(2026, 3, 1, 12, 0);
    EXPECT_DOUBLE_EQ(march.arithmetic.snap_target(Drum::DAY, -3.0), -4.0) << "row 28 of February snaps back to the 28th";
    EXPECT_DOUBLE_EQ(march.arithmetic.snap_target(Drum::DAY, -2.0), 0.0) << "row 29 of February snaps on to 1 March";
}

} // namespace stellaro
