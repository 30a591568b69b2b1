#include "screens/date_time_drums.h"

#include "astro/julian_date.h"

#include <algorithm>
#include <cmath>

namespace stellaro {

namespace {

constexpr int MONTHS = 12;
constexpr double HOURS = 24.0;
// The last row before a drum rolls into the next larger one.
constexpr double LAST_MINUTE = 59.0;
constexpr double LAST_HOUR = 23.0;
constexpr double LAST_MONTH = 11.0;

// Brings the month into 1..12, moving whole years.
void normalise_month(int& year, int& month)
{
    const int from_zero = month - 1;
    const int years = from_zero >= 0 ? from_zero / MONTHS : -((-from_zero + MONTHS - 1) / MONTHS);
    year += years;
    month = from_zero - years * MONTHS + 1;
}

int whole(double value) { return static_cast<int>(std::floor(value)); }

} // namespace

int32_t DateTimeDrums::row_count(Drum drum)
{
    switch (drum) {
    case Drum::YEAR: return YEARS;
    case Drum::MONTH: return MONTHS;
    case Drum::DAY: return DAY_ROWS;
    case Drum::HOUR: return 24;
    case Drum::MINUTE: return 60;
    }
    return 0;
}

bool DateTimeDrums::cyclic(Drum drum) { return drum != Drum::YEAR; }

CalendarDay DateTimeDrums::date_of(double date_jd)
{
    const CalendarMoment moment = calendar_from_jd(date_jd);
    return {moment.year, moment.month, moment.day};
}

// Before 1582 October 15 the dates are Julian, as everywhere else in the program.
double DateTimeDrums::date_jd_of(const CalendarDay& day) { return julian_day_from_date(day.year, day.month, day.day); }

int DateTimeDrums::days_in_month(int year, int month) { return days_in_month_of(year, month); }

void DateTimeDrums::show_moment()
{
    // The host reports each set back through value_changed, which may move the moment's
    // fields; the values are taken first.
    const DrumMoment shown = moment_;
    const CalendarDay day = date_of(shown.date_jd);
    host.set_drum_value(Drum::YEAR, day.year);
    host.set_drum_value(Drum::MONTH, day.month - 1);
    host.set_drum_value(Drum::DAY, day.day - 1);
    host.set_drum_value(Drum::HOUR, shown.hour);
    host.set_drum_value(Drum::MINUTE, shown.minute);
}

void DateTimeDrums::move_to_month(CalendarDay day)
{
    const int length = days_in_month(day.year, day.month);
    const bool clamped = day.day > length;
    day.day = std::min(day.day, length);
    moment_.date_jd = date_jd_of(day);
    moved();
    if (clamped)
        host.set_drum_value(Drum::DAY, day.day - 1);
}

bool DateTimeDrums::accept(Drum drum, const SpinnerProposal& proposal)
{
    switch (drum) {
    case Drum::MINUTE:
        return true;
    case Drum::HOUR:
        if (host.drum_value(Drum::MINUTE) > LAST_MINUTE)
            return false;
        moment_.hour = proposal.wrapped;
        moved();
        return true;
    case Drum::DAY: {
        if (host.drum_value(Drum::HOUR) > LAST_HOUR)
            return false;
        CalendarDay day = current();
        day.month += proposal.crossings;
        normalise_month(day.year, day.month);
        day.day = std::min(whole(proposal.wrapped) + 1, days_in_month(day.year, day.month));
        moment_.date_jd = date_jd_of(day);
        moved();
        return true;
    }
    case Drum::MONTH: {
        CalendarDay day = current();
        if (host.drum_value(Drum::DAY) + 1 > days_in_month(day.year, day.month))
            return false;
        day.year += proposal.crossings;
        day.month = whole(proposal.wrapped) + 1;
        move_to_month(day);
        return true;
    }
    case Drum::YEAR: {
        if (host.drum_value(Drum::MONTH) > LAST_MONTH)
            return false;
        CalendarDay day = current();
        // The rubber band at either end may propose a year beyond the drum.
        day.year = std::clamp(whole(proposal.wrapped), 0, YEARS - 1);
        move_to_month(day);
        return true;
    }
    }
    return false;
}

void DateTimeDrums::value_changed(Drum drum, int32_t crossings)
{
    switch (drum) {
    case Drum::MINUTE: {
        moment_.minute = host.drum_value(Drum::MINUTE);
        moment_.hour = std::floor(moment_.hour + crossings);
        moved();
        const double minute = moment_.minute;
        // During the last minute the hour drum rolls on with it; a carry beyond the day makes
        // the hour drum turn over, which moves the date.
        host.set_drum_value(Drum::HOUR, minute > LAST_MINUTE ? minute + moment_.hour - LAST_MINUTE : moment_.hour);
        break;
    }
    case Drum::HOUR: {
        // The hour drum's turn is the one place a day is carried: a carry the minute drum put
        // into the hour (24 or -1) leaves the hour here.
        moment_.date_jd += crossings;
        moment_.hour -= HOURS * std::floor(moment_.hour / HOURS);
        moved();
        const CalendarDay day = current();
        const int length = days_in_month(day.year, day.month);
        const double hour = host.drum_value(Drum::HOUR);
        // On a month's last day the day drum crosses the spare rows during the last hour.
        const double rows_per_hour = day.day == length ? DAY_ROWS + 1 - length : 1;
        host.set_drum_value(Drum::DAY, hour > LAST_HOUR ? (hour - LAST_HOUR) * rows_per_hour + day.day - 1 : day.day - 1);
        break;
    }
    case Drum::DAY: {
        const CalendarDay day = current();
        const int length = days_in_month(day.year, day.month);
        const double shown_day = host.drum_value(Drum::DAY) + 1;
        host.set_drum_value(Drum::MONTH, shown_day > length ? (shown_day - length) / (DAY_ROWS + 1 - length) + day.month - 1
                                                            : day.month - 1);
        break;
    }
    case Drum::MONTH: {
        const double month = host.drum_value(Drum::MONTH);
        const int year = current().year;
        host.set_drum_value(Drum::YEAR, month > LAST_MONTH ? year + month - LAST_MONTH : year);
        break;
    }
    case Drum::YEAR:
        break;
    }
}

double DateTimeDrums::snap_target(Drum drum, double target) const
{
    double row = std::floor(target + 0.5);
    if (drum == Drum::YEAR)
        return std::clamp(row, 0.0, static_cast<double>(YEARS - 1));
    if (drum != Drum::DAY)
        return row;
    CalendarDay day = current();
    if (row < 0) {
        day.month -= 1;
        normalise_month(day.year, day.month);
    }
    const int length = days_in_month(day.year, day.month);
    const int in_month = ((whole(row) % DAY_ROWS) + DAY_ROWS) % DAY_ROWS;
    if (in_month > length - 1) {
        // A spare row: the nearer of the month's last day and the next month's first.
        if (in_month > (length + 29) / 2)
            row += DAY_ROWS - in_month;
        else
            row += length - 1 - in_month;
    }
    return row;
}

} // namespace stellaro
