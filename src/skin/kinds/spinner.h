#pragma once
#include "skin/elements/drag_tracker.h"
#include "skin/elements/element.h"
#include "skin/kinds/spinner_listener.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace stellaro {

// The "spinner" kind: a drum of rows, one of them centred, that the user drags, flicks and
// lets snap. The spinner never decides its own value: every movement goes to the listener as a
// proposal, and the listener makes each row's element.
//
// Skin: "element_size", the row height in pixels (60 when absent or not positive).
class Spinner : public Element {
public:
    static constexpr int32_t DEFAULT_ROW_PX = 60;
    static constexpr double MAX_FLICK_ROWS_S = 2000;
    // A snap over d rows takes sqrt(d * SNAP_TIME_FACTOR) seconds.
    static constexpr double SNAP_TIME_FACTOR = 0.05;

    // Registers the spinner as an input child of its owner.
    explicit Spinner(Element* owner = nullptr);
    ~Spinner() override;

    void init_from_skin(Properties& properties, const SkinBlock* block) override;
    void update(double elapsed) override;
    void paint(RenderSurface& surface, Point origin) override;
    void on_pointer_move(const PointerEvent& event) override;
    bool on_pointer_button(const PointerEvent& event) override;
    // The value, in rows.
    void describe(ElementState& state) const override;
    void append_parts(std::vector<Element*>& parts) const override;

    // The listener (not owned); null stops proposals and rows.
    void set_listener(SpinnerListener* new_listener) { listener = new_listener; }
    // n rows, repeating endlessly when cyclic; the value goes back to 0 and the rows are remade.
    void set_range(int32_t row_count, bool is_cyclic);
    // Moves to v (taken modulo n when cyclic); a value that is not a finite number is refused.
    void set_value(double v);
    // Drops the rows made so far: the listener would make them differently now.
    void remake_rows();
    // Starts a timed snap from the value to t, slowing down toward its end.
    void set_target(double t);

    int32_t count() const { return count_; }
    bool cyclic() const { return cyclic_; }
    double value() const { return value_; }
    double target() const { return target_; }
    // Seconds left of the running snap; 0 when none runs.
    double snap_time() const { return speed; }
    int32_t row_height() const { return row_px; }
    // The rows drawn by the last paint, by row number.
    const std::vector<std::pair<int32_t, std::unique_ptr<Element>>>& row_cache() const { return rows; }

private:
    // Offers raw to the listener, with its wrapped value and the turns from the value.
    void propose(double raw);
    bool past_an_end() const;
    // The cached element of the row, made by the listener when not cached; null without one.
    Element* row_element(int32_t row, std::vector<std::pair<int32_t, std::unique_ptr<Element>>>& drawn);

    std::vector<std::pair<int32_t, std::unique_ptr<Element>>> rows;
    SpinnerListener* listener = nullptr;
    int32_t row_px = DEFAULT_ROW_PX;
    int32_t count_ = 0;
    bool cyclic_ = false;
    double value_ = 0;
    double target_ = 0;
    double speed = 0;
    int32_t direction = 0;
    DragTracker tracker;
};

} // namespace stellaro
