#pragma once

namespace stellaro {

// A moment as a Julian day, with the calendar its date is read in.
struct JulianDate {
    double jd = 0.0;
    bool gregorian = false;

    JulianDate() = default;
    // The Gregorian flag is kept only when requested and jd is on or after 1582 October 15.
    JulianDate(double jd, bool gregorian_requested);
    void assign(double jd, bool gregorian_requested);
};

constexpr double FIRST_GREGORIAN_JD = 2299160.5;
constexpr double J2000 = 2451545.0;

// A calendar date and time of day.
struct CalendarMoment {
    int year = 0;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    double second = 0.0;
};

// INT(x) of the calendar algorithms: truncation for x >= 0, truncation of x - 1 below.
double integer_part(double x);

double julian_day_from_calendar(int year, int month, double day, bool gregorian);
JulianDate julian_date_from_civil(int year, int month, double day, double hour, double minute, double second, bool gregorian);
CalendarMoment calendar_from_julian_date(const JulianDate& date);
int year_of(const JulianDate& date);
int month_of(const JulianDate& date);
int day_of(const JulianDate& date);

bool is_gregorian_day(double jd);

// Dates on and after 1582 October 15 are read in the Gregorian calendar, earlier ones in the
// Julian; years are astronomical (year 0 is 1 BC, -1 is 2 BC).
bool is_gregorian_date(int year, int month, int day);
// 1582 October 5 to 14, which the change of calendar left out.
bool is_skipped_date(int year, int month, int day);
// The Julian day of a date (day may carry the fraction) in the calendar in force on it.
double julian_day_from_date(int year, int month, double day);
// The date of a Julian day in the calendar in force on it.
CalendarMoment calendar_from_jd(double jd);
// The days of a month of a year in the calendar in force in that year.
int days_in_month_of(int year, int month);
bool is_leap_year(int year, bool gregorian);
// Months are counted from 1.
int days_in_month(int month, bool leap);

// Julian centuries, millennia and units of 10 000 years from J2000.0.
double julian_centuries(double jd);
double julian_millennia(double jd);
double julian_myriads(double jd);

} // namespace stellaro
