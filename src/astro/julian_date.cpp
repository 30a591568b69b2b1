#include "astro/julian_date.h"

#include <cmath>

namespace stellaro {

JulianDate::JulianDate(double jd, bool gregorian_requested)
{
    assign(jd, gregorian_requested);
}

void JulianDate::assign(double value, bool gregorian_requested)
{
    jd = value;
    gregorian = gregorian_requested && value >= FIRST_GREGORIAN_JD;
}

double integer_part(double x)
{
    return x >= 0.0 ? std::trunc(x) : std::trunc(x - 1.0);
}

double julian_day_from_calendar(int year, int month, double day, bool gregorian)
{
    double y = year;
    double m = month;
    if (m < 3) {
        y -= 1;
        m += 12;
    }
    double b = 0.0;
    if (gregorian) {
        const double a = integer_part(y * 0.01);
        b = 2.0 - a + integer_part(a * 0.25);
    }
    return integer_part(365.25 * (y + 4716)) + integer_part(30.6001 * (m + 1)) + day + b - 1524.5;
}

JulianDate julian_date_from_civil(int year, int month, double day, double hour, double minute, double second, bool gregorian)
{
    const double fraction = hour * 0.041666666666666664 + minute * 0.0006944444444444445 + second * 1.1574074074074073e-5;
    return JulianDate(julian_day_from_calendar(year, month, day + fraction, gregorian), gregorian);
}

CalendarMoment calendar_from_julian_date(const JulianDate& date)
{
    const double shifted = date.jd + 0.5;
    const double z = integer_part(shifted);
    const double f = shifted - z;
    double a = z;
    if (date.gregorian) {
        const double alpha = integer_part((z - 1867216.25) * 2.7379070069885075e-5);
        a = z + 1 + alpha - integer_part(alpha / 4);
    }
    const double b = a + 1524;
    const double c = integer_part((b - 122.1) * 0.0027378507871321013);
    const double d = integer_part(365.25 * c);
    const double e = integer_part((b - d) * 0.03267963176590926);
    const double day = b - d - integer_part(30.6001 * e) + f;

    CalendarMoment moment;
    moment.day = static_cast<int>(std::trunc(day));
    moment.month = static_cast<int>(e < 14 ? e - 1 : e - 13);
    moment.year = static_cast<int>(moment.month > 2 ? c - 4716 : c - 4715);
    moment.hour = static_cast<int>(integer_part(24.0 * f));
    moment.minute = static_cast<int>(integer_part((f - moment.hour / 24.0) * 1440.0));
    moment.second = (f - moment.hour / 24.0 - moment.minute / 1440.0) * 86400.0;
    return moment;
}

int year_of(const JulianDate& date)
{
    return calendar_from_julian_date(date).year;
}

int month_of(const JulianDate& date)
{
    return calendar_from_julian_date(date).month;
}

int day_of(const JulianDate& date)
{
    return calendar_from_julian_date(date).day;
}

bool is_gregorian_day(double jd)
{
    return jd >= FIRST_GREGORIAN_JD;
}

bool is_gregorian_date(int year, int month, int day)
{
    if (year != 1582)
        return year > 1582;
    return month > 10 || (month == 10 && day >= 15);
}

bool is_skipped_date(int year, int month, int day)
{
    return year == 1582 && month == 10 && day >= 5 && day <= 14;
}

double julian_day_from_date(int year, int month, double day)
{
    return julian_day_from_calendar(year, month, day, is_gregorian_date(year, month, static_cast<int>(std::floor(day))));
}

CalendarMoment calendar_from_jd(double jd)
{
    return calendar_from_julian_date(JulianDate(jd, is_gregorian_day(jd)));
}

int days_in_month_of(int year, int month)
{
    return days_in_month(month, is_leap_year(year, year >= 1582));
}

bool is_leap_year(int year, bool gregorian)
{
    if (year % 4 != 0)
        return false;
    if (!gregorian)
        return true;
    return year % 100 != 0 || year % 400 == 0;
}

int days_in_month(int month, bool leap)
{
    static constexpr int DAYS[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && leap ? 29 : DAYS[month - 1];
}

double julian_centuries(double jd)
{
    return (jd - J2000) * 2.7378507871321012e-5;
}

double julian_millennia(double jd)
{
    return (jd - J2000) * 2.737850787132101e-6;
}

double julian_myriads(double jd)
{
    return (jd - J2000) * 2.737850787132101e-7;
}

} // namespace stellaro
