#include "screens/date_time_panel.h"

#include "skin/props/skincore.h"

#include <array>
#include <string>

namespace stellaro {

namespace {

// The month rows' texts are these keys of the language; "Month" keeps them apart from the
// constellation codes ("Oct" is Octans).
constexpr std::array<const char16_t*, 12> MONTH_KEYS = {u"MonthJan", u"MonthFeb", u"MonthMar", u"MonthApr",
                                                        u"MonthMay", u"MonthJun", u"MonthJul", u"MonthAug",
                                                        u"MonthSep", u"MonthOct", u"MonthNov", u"MonthDec"};

std::u16string decimal(int32_t value, bool two_digits)
{
    std::string text = std::to_string(value);
    if (two_digits && text.size() < 2)
        text.insert(0, "0");
    return std::u16string(text.begin(), text.end());
}

} // namespace

DateTimePanel::DateTimePanel(Document& document, std::function<void()> left_clock)
    : document(document), left_clock(std::move(left_clock)), arithmetic(*this)
{
}

void DateTimePanel::bind(Element& panel, Properties& skin)
{
    properties = &skin;
    for (size_t i = 0; i < NAMES.size(); ++i) {
        drums[i] = dynamic_cast<Spinner*>(panel.find_child(NAMES[i]));
        if (!drums[i])
            throw skincore::NodeNotFound(panel.id(), NAMES[i]);
    }
    for (size_t i = 0; i < NAMES.size(); ++i) {
        const auto which = static_cast<Drum>(i);
        // The listener comes after the range so that the reset to row 0 reaches nobody.
        drums[i]->set_listener(nullptr);
        drums[i]->set_range(DateTimeDrums::row_count(which), DateTimeDrums::cyclic(which));
        drums[i]->set_listener(this);
    }
    show_document();
}

void DateTimePanel::show_document()
{
    shown = {document.date_jd, document.hour, document.minute};
    arithmetic.set_moment(shown);
    arithmetic.show_moment();
    // A drum still coming to rest would propose its movement and leave the clock again.
    for (Spinner* drum : drums)
        drum->set_target(drum->value());
    refresh_day_rows();
}

void DateTimePanel::follow_clock()
{
    if (document.date_jd != shown.date_jd || document.hour != shown.hour || document.minute != shown.minute)
        show_document();
}

void DateTimePanel::moment_moved(const DrumMoment& moment)
{
    document.date_jd = moment.date_jd;
    document.hour = moment.hour;
    document.minute = moment.minute;
    document.update_moment();
    refresh_day_rows();
}

void DateTimePanel::refresh_day_rows()
{
    const CalendarDay day = DateTimeDrums::date_of(document.date_jd);
    const int length = DateTimeDrums::days_in_month(day.year, day.month);
    if (length == month_length)
        return;
    month_length = length;
    if (Spinner* days = drums[static_cast<size_t>(Drum::DAY)])
        days->remake_rows();
}

Drum DateTimePanel::which_drum(const Spinner& spinner) const
{
    for (size_t i = 0; i < drums.size(); ++i)
        if (drums[i] == &spinner)
            return static_cast<Drum>(i);
    return Drum::MINUTE;
}

void DateTimePanel::value_changed(Spinner& spinner, int32_t crossings) { arithmetic.value_changed(which_drum(spinner), crossings); }

void DateTimePanel::value_proposed(Spinner& spinner, const SpinnerProposal& proposal)
{
    if (document.live_time) {
        document.live_time = false;
        left_clock();
    }
    // The clock may have moved the moment since the drums were last set.
    arithmetic.set_moment({document.date_jd, document.hour, document.minute});
    if (arithmetic.accept(which_drum(spinner), proposal))
        spinner.set_value(proposal.raw);
}

void DateTimePanel::snap_target(Spinner& spinner)
{
    arithmetic.set_moment({document.date_jd, document.hour, document.minute});
    spinner.set_target(arithmetic.snap_target(which_drum(spinner), spinner.target()));
}

std::unique_ptr<Element> DateTimePanel::make_row_element(Spinner& spinner, int32_t row)
{
    auto element = std::make_unique<Element>(&spinner);
    if (!properties || !element->load_from_skin(*properties, ROW_NODE))
        throw skincore::NodeNotFoundInSkin(ROW_NODE);
    element->send_text(u"#text", row_text(which_drum(spinner), row));
    return element;
}

std::u16string DateTimePanel::row_text(Drum which, int32_t row) const
{
    switch (which) {
    case Drum::YEAR: return decimal(row, false);
    case Drum::MONTH: return properties->translate(MONTH_KEYS[static_cast<size_t>(row) % MONTH_KEYS.size()]);
    case Drum::DAY: return row < month_length ? decimal(row + 1, false) : std::u16string();
    case Drum::HOUR:
    case Drum::MINUTE: return decimal(row, true);
    }
    return {};
}

} // namespace stellaro
