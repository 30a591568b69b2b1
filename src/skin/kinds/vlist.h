#pragma once
#include "skin/elements/drag_tracker.h"
#include "skin/elements/element.h"
#include "skin/kinds/vlist_item.h"
#include "skin/kinds/vlist_source.h"

#include <cstdint>
#include <deque>
#include <memory>

namespace stellaro {

// The "vlist" kind: a vertically scrolling list whose items are made on demand by a source.
// Only the items in view exist, so a list of any length costs one screenful. The content follows
// the finger with rubber-band resistance past the ends, keeps moving after a fling, and springs
// back to the borders. A tap on an item is reported to the source.
//
// Skin: "scroll_border_min", "scroll_border_max" (points, their y: space kept above the first
// and below the last item at rest), "locked" (the content does not follow drags or flings; taps
// still work), "grow" (the list is as tall as its content and uses its root's height as the
// viewport).
class VList : public Element {
public:
    static constexpr double MAX_FLING_PX_S = 2000;
    static constexpr double HEIGHT_SPEED_PX_S = 200; // how fast item heights follow their content
    static constexpr double REST_SPEED_PX_S = 400;   // how fast the content returns to a border
    static constexpr double SPRING_PER_PX = 50;      // braking per pixel past an end, during a fling
    static constexpr double PRESSED_BRAKE = 5;       // friction factor while the finger holds the list

    // Registers the list as an input child of its owner.
    explicit VList(Element* owner = nullptr);
    ~VList() override;

    void init_from_skin(Properties& properties, const SkinBlock* block) override;
    void update(double elapsed) override;
    void paint(RenderSurface& surface, Point origin) override;
    void arrange_x() override;
    void arrange_y() override;
    void measure_height(Measure& measure) override;
    void on_pointer_move(const PointerEvent& event) override;
    bool on_pointer_button(const PointerEvent& event) override;
    // Selection and the index of the first item in view.
    void describe(ElementState& state) const override;

    // Takes the source (not owned) and its number of items; clears the selection.
    void set_source(VListSource* new_source, int32_t item_count);
    // Drops every item and starts again at the top with a new number of items.
    void reset(int32_t item_count);
    // Shows the index at the top (the end of the list when past it); nothing while pressed.
    void scroll_to(int32_t index);
    void set_selection(int32_t index);
    // Binds the item again when it is in view (its data changed).
    void refresh_item(int32_t index);
    // The index leaves the list: its item shrinks away, later items move up by one.
    void remove_item(int32_t index);
    // Realizes the items the viewport needs and drops those out of view.
    void fill();

    VListSource* source() const { return source_; }
    int32_t count() const { return count_; }
    int32_t selection() const { return selection_; }
    // The index of the first item in view; -1 when none is.
    int32_t first_index() const;
    // The realized item of the index; null when it is not in view.
    VListItem* item_at_index(int32_t index) const;
    size_t realized_count() const { return items.size(); }
    // The y of the first realized item relative to the list's top.
    double offset() const { return offset_; }
    double velocity() const { return velocity_; }
    // The sum of the realized items' displayed heights.
    double content_height() const { return content; }
    bool locked() const { return locked_; }
    bool grows() const { return grow; }
    int32_t scroll_border_min() const { return border_top; }
    int32_t scroll_border_max() const { return border_bottom; }

private:
    // The height fill works with: the root's when the list grows, else the list's.
    int32_t viewport() const;
    bool top_reached() const { return before == -1; }
    bool bottom_reached() const { return next == count_; }
    double overscroll() const { return offset_ - border_top; }
    double bottom_gap() const { return height() - content - border_bottom - offset_; }

    // New item for the index from the source; null when the source has none.
    std::unique_ptr<VListItem> make_item(int32_t index);
    void bind_item(VListItem& item, int32_t index, bool is_new);
    void fill_upward();
    void drop_from_top();
    void fill_downward();
    void drop_from_bottom();
    void settle_bottom(int32_t view);
    // Places every realized item at its scrolled position.
    void position_items();
    // The item drawn at the point's y; null over empty space.
    VListItem* item_under(int32_t y_px) const;
    void decorate(VListItem& item) const;
    void cancel_press();
    void press(const PointerEvent& event);
    void release(const PointerEvent& event);

    // Update steps.
    bool animate_heights(double dt);
    void apply_friction(double dt);
    void apply_springs(double dt);
    bool rest_toward_borders(double dt);

    int32_t border_top = 0;
    int32_t border_bottom = 0;
    bool locked_ = false;
    bool grow = false;
    VListSource* source_ = nullptr;
    std::deque<std::unique_ptr<VListItem>> items;
    int32_t before = -1;
    int32_t next = 0;
    bool needs_fill = true;
    VListItem* pressed_item = nullptr;
    int32_t selection_ = -1;
    double content = 0;
    // The content height the last measurement of a growing list saw.
    double measured_content = -1;
    int32_t count_ = 0;
    double offset_ = 0;
    double velocity_ = 0;
    DragTracker tracker;
};

} // namespace stellaro
