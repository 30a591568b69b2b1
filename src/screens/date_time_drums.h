#pragma once
#include "skin/kinds/spinner_listener.h"

#include <cstdint>

namespace stellaro {

// The five drums of the date and time panel, largest unit first.
enum class Drum : int32_t { YEAR, MONTH, DAY, HOUR, MINUTE };
inline constexpr int32_t DRUM_COUNT = 5;

// A local calendar date.
struct CalendarDay {
    int year = 2000;
    int month = 1;
    int day = 1;
};

// The moment the drums show: the Julian day of 0 h of the local date, the hour and the minute
// (fractional while a drum moves).
struct DrumMoment {
    double date_jd = 0.0;
    double hour = 0.0;
    double minute = 0.0;
};

// What the drum arithmetic moves: the drums (spinners in the panel, plain numbers in tests) and
// whoever shows the moment.
class DrumHost {
public:
    virtual ~DrumHost() = default;
    virtual double drum_value(Drum drum) const = 0;
    // Moves the drum as a spinner does (wrapping a cyclic one); the drum then reports back
    // through DateTimeDrums::value_changed.
    virtual void set_drum_value(Drum drum, double value) = 0;
    // The moment changed; it is to be shown.
    virtual void moment_moved(const DrumMoment& moment) = 0;
};

// The calendar arithmetic of coupled drums that roll into each other like an odometer: a drum
// moving past its last row rolls the next larger one, the spare day rows (29 to 31 in short
// months) are crossed while the month turns, and the moment and the drums always agree, every
// carry counted once (the minute's carry lands in the hour, the hour's in the date).
class DateTimeDrums {
public:
    static constexpr int32_t YEARS = 4000;
    static constexpr int32_t DAY_ROWS = 31;

    explicit DateTimeDrums(DrumHost& host) : host(host) {}

    static int32_t row_count(Drum drum);
    static bool cyclic(Drum drum);
    static CalendarDay date_of(double date_jd);
    static double date_jd_of(const CalendarDay& day);
    static int days_in_month(int year, int month);

    const DrumMoment& moment() const { return moment_; }
    // Takes the moment as it stands elsewhere (the clock may have moved it).
    void set_moment(const DrumMoment& moment) { moment_ = moment; }
    // Sets every drum from the moment.
    void show_moment();
    // A drum would move to the proposal: applies it to the moment and true when the drum may
    // follow; false when the next smaller drum is rolling into it.
    bool accept(Drum drum, const SpinnerProposal& proposal);
    // A drum moved by crossings whole turns: carries into the moment and the larger drums.
    void value_changed(Drum drum, int32_t crossings);
    // Where a drum let go at target comes to rest: a whole row, and a valid day.
    double snap_target(Drum drum, double target) const;

private:
    CalendarDay current() const { return date_of(moment_.date_jd); }
    // Moves the moment to the day in another month or year: a day past that month's end becomes
    // its last, and the day drum follows.
    void move_to_month(CalendarDay day);
    void moved() { host.moment_moved(moment_); }

    DrumHost& host;
    DrumMoment moment_;
};

} // namespace stellaro
