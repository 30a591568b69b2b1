#pragma once
#include "document/document.h"
#include "screens/date_time_drums.h"
#include "skin/kinds/spinner.h"
#include "skin/kinds/spinner_listener.h"
#include "skin/props/properties.h"

#include <array>
#include <functional>

namespace stellaro {

// The date and time panel's five drums, bound to the document's moment: dragging a drum sets
// the moment (and leaves the live clock), the drums roll into each other, and the rows are made
// from the skin's "SpinnerElement" node with texts from the language.
class DateTimePanel : public SpinnerListener, private DrumHost {
public:
    static constexpr const char16_t* ROW_NODE = u"SpinnerElement";
    static constexpr std::array<const char16_t*, DRUM_COUNT> NAMES = {u"year", u"month", u"day", u"hour", u"minute"};

    // left_clock is called whenever a drag takes the moment away from the clock.
    DateTimePanel(Document& document, std::function<void()> left_clock);

    // Looks the drums up below the panel (skincore::NodeNotFound when one is missing), gives
    // them their ranges and the document's moment.
    void bind(Element& panel, Properties& properties);
    // Sets the drums from the document's moment, stopping any snap under way.
    void show_document();
    // While the clock runs: the drums turn on with it, each time its minute changes.
    void follow_clock();
    Spinner& drum(Drum which) const { return *drums[static_cast<size_t>(which)]; }

    void value_changed(Spinner& spinner, int32_t crossings) override;
    void value_proposed(Spinner& spinner, const SpinnerProposal& proposal) override;
    void snap_target(Spinner& spinner) override;
    std::unique_ptr<Element> make_row_element(Spinner& spinner, int32_t row) override;

private:
    double drum_value(Drum which) const override { return drum(which).value(); }
    void set_drum_value(Drum which, double value) override { drum(which).set_value(value); }
    void moment_moved(const DrumMoment& moment) override;
    Drum which_drum(const Spinner& spinner) const;
    std::u16string row_text(Drum which, int32_t row) const;
    // The day rows beyond the month's end show nothing; they are made again when it changes.
    void refresh_day_rows();

    Document& document;
    std::function<void()> left_clock;
    DateTimeDrums arithmetic;
    Properties* properties = nullptr;
    std::array<Spinner*, DRUM_COUNT> drums{};
    int month_length = 31;
    // The moment the drums were last set to.
    DrumMoment shown;
};

} // namespace stellaro
