#pragma once
#include "skin/elements/element.h"

#include <cstdint>
#include <memory>

namespace stellaro {

class Spinner;

// A movement the spinner would make: the position in rows, that position brought into the
// rows of a cyclic spinner, and the whole turns it makes getting there (positive forward).
struct SpinnerProposal {
    double raw = 0;
    double wrapped = 0;
    int32_t crossings = 0;
};

// Decides what a spinner may show: every movement is proposed and only happens when the
// listener sets the value; the listener also chooses where a flick ends and makes the rows.
class SpinnerListener {
public:
    virtual ~SpinnerListener() = default;
    // After every accepted value; crossings are the whole turns made in this step.
    virtual void value_changed(Spinner& spinner, int32_t crossings) = 0;
    // A drag, flick or snap would move the spinner; call set_value(raw) to accept.
    virtual void value_proposed(Spinner& spinner, const SpinnerProposal& proposal) = 0;
    // The finger let go; call set_target with where the movement should end.
    virtual void snap_target(Spinner& spinner) = 0;
    // The look of one row; the spinner owns it.
    virtual std::unique_ptr<Element> make_row_element(Spinner& spinner, int32_t row) = 0;
};

} // namespace stellaro
