#pragma once
#include "skin/elements/animation.h"
#include "skin/elements/element_state.h"
#include "skin/elements/keys.h"
#include "skin/elements/layout.h"
#include "skin/elements/pointer_event.h"
#include "skin/props/properties.h"
#include "skin/surface/geometry.h"
#include "skin/surface/pixel.h"
#include "skin/surface/render_surface.h"
#include "skin/surface/span_painter.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace stellaro {

class Element;

// Told whenever an element's horizontal or vertical placement changes.
class LayoutObserver {
public:
    virtual ~LayoutObserver() = default;
    virtual void horizontal_changed(Element& element) = 0;
    virtual void vertical_changed(Element& element) = 0;
};

// The base of every user-interface element: a rectangle in a tree of elements, made from a skin
// block, placed by per-axis anchoring rules inside its parent, painted into a surface (directly,
// through a private cache, or by its visibility animation) and fed with pointer, key and text
// input through the elements registered as its input children.
//
// A parent owns its children. Measurements are cached until invalidated; placement does no
// work while nothing changed. Invalidation and repaint requests flow up to the root.
class Element {
public:
    // The owner is laid out again before a visibility animation starts (the element itself
    // when null). A new element is hidden, enabled, with no parent.
    explicit Element(Element* owner = nullptr);
    virtual ~Element();
    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;

    // Number of elements alive in the process.
    static int64_t live_count();

    // Logs one line for this element and then, indented, one for each descendant.
    virtual void dump(int indent) const;
    // Hands a text to every descendant; kinds showing text take it when the id is theirs.
    virtual void send_text(std::u16string_view id, std::u16string_view text);
    // Appends a child, which this element then owns.
    virtual void add_child(std::unique_ptr<Element> child);
    // Detaches a child and hands it back (null when it is not a child of this element). No
    // element above keeps it, or anything below it, for input.
    virtual std::unique_ptr<Element> remove_child(Element* child);
    // Reads the common properties of the block, creates the children it lists (each from its
    // "type", shown) and reads "outside_color".
    virtual void init_from_skin(Properties& properties, const SkinBlock* block);
    virtual void set_enabled(bool flag);
    virtual void on_enabled_changed(bool effective);
    virtual void set_visible(bool flag);
    virtual void on_visible_changed(bool effective);
    // Advances a running visibility animation, else the children (elapsed seconds).
    virtual void update(double elapsed);
    // Paints the children; kinds paint their own content first.
    virtual void paint(RenderSurface& surface, Point origin);
    virtual void arrange_x();
    virtual void arrange_y();
    // Minimum and natural size from design_size and the children; starts from the given pair.
    virtual void measure_width(Measure& measure);
    virtual void measure_height(Measure& measure);
    virtual bool contains(Point point) const;
    virtual void on_pointer_move(const PointerEvent& event);
    // Presses go to the input children under the point, which keep the pointer when they
    // accept it; releases go to those that kept it. True when some element kept the pointer.
    virtual bool on_pointer_button(const PointerEvent& event);
    virtual bool on_key(const KeyEvent& event);
    virtual bool on_text(std::u16string_view text);
    // Fills in what the element shows (text, state, value, list position); nothing by default.
    virtual void describe(ElementState& state) const;
    // Appends the elements drawn as part of this one but owned apart from its children (the rows
    // of lists and drums), so that scripted input and dumps see them too; none by default.
    virtual void append_parts(std::vector<Element*>& parts) const;

    // Draws the element at origin: through its running animation, its cache, or paint().
    void draw(RenderSurface& surface, Point origin);
    // Shows or hides through the visibility animation when there is one.
    void show(bool flag);
    void set_horizontal(int32_t x, int32_t width);
    void set_vertical(int32_t y, int32_t height);
    // Rebuilds the element from the named node of the skin; false when the skin has none.
    bool load_from_skin(Properties& properties, std::u16string_view name);
    // The element will receive pointer, key and text input from this one.
    void add_input_child(Element* element);
    // Depth-first: the direct children first, then each child's subtree; null when absent.
    Element* find_child(std::u16string_view id) const;
    void invalidate_measure();
    // The picture changed: the next frame the display allows draws it.
    void request_repaint();
    // Asks for an update within `seconds` although nothing is drawn differently yet (a twinkle,
    // a followed clock, motion that repaints only from the next update on); 0 means the next
    // frame. The request is kept at the root of the tree.
    void request_frame_after(double seconds);
    // The shortest wait asked for in this tree since the last call (NO_FRAME_WAIT when none),
    // and the request is forgotten. Asked of the root.
    double take_frame_wait_seconds();
    static constexpr double NO_FRAME_WAIT = 1e300;

    // The measurements, computed when invalid.
    Measure cached_width();
    Measure cached_height();

    // The registration name the element was made by ("button", "vlist"); empty when it was
    // made directly rather than from a skin's "type".
    const std::u16string& kind() const { return kind_; }
    void set_kind(std::u16string kind) { kind_ = std::move(kind); }
    const std::u16string& id() const { return id_; }
    void set_id(std::u16string id) { id_ = std::move(id); }
    Element* parent() const { return parent_; }
    Element* owner() const { return owner_; }
    const std::vector<std::unique_ptr<Element>>& children() const { return children_; }
    const std::vector<Element*>& input_children() const { return inputs; }
    const std::vector<Element*>& captured() const { return captures; }

    bool visible() const { return visible_; }
    bool effectively_visible() const { return visible_ && parent_visible; }
    bool enabled() const { return enabled_; }
    bool effectively_enabled() const { return enabled_ && parent_enabled; }
    bool needs_repaint() const { return repaint; }
    bool needs_layout() const { return layout_x || layout_y; }

    int32_t x() const { return x_; }
    int32_t y() const { return y_; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }

    AnchorMode anchor_x = AnchorMode::BOTH_SIDE;
    AnchorMode anchor_y = AnchorMode::BOTH_SIDE;
    Point border_min;
    Point design_size;
    Point border_max;
    int32_t table_ratio = 0;
    Colour outside_color{0, 0, 0, 255};
    LayoutObserver* layout_observer = nullptr;

    bool is_cached() const { return cached; }
    const RenderSurface& cache() const { return cache_surface; }
    VisibilityAnimation* visibility_animation() const { return animation.get(); }

protected:
    // Places one child along an axis by its anchor rules.
    void place_child_x(Element& child);
    void place_child_y(Element& child);
    // Repaints the cache surface at the element's size; false when there is nothing to paint.
    bool refresh_cache();
    // Deletes every child.
    void destroy_children();

private:
    void cancel_captures();
    void forget_input(Element* element);
    // This element and every one above it forget the subtree's elements for input.
    void forget_subtree_input(const Element& subtree);

    std::unique_ptr<VisibilityAnimation> animation;
    std::u16string id_;
    std::u16string kind_;
    Element* parent_ = nullptr;
    Measure measured_w = Measure::invalid();
    Measure measured_h = Measure::invalid();
    bool visible_ = false;
    bool parent_visible = true;
    bool enabled_ = true;
    bool parent_enabled = true;
    bool repaint = true;
    double frame_wait_seconds = NO_FRAME_WAIT;
    // Layout is tracked per axis so that a change seen by one axis does not skip the other.
    bool layout_x = true;
    bool layout_y = true;
    Element* owner_ = nullptr;
    RenderSurface cache_surface;
    bool cached = false;
    std::unique_ptr<SpanPainter> cache_painter;
    int32_t x_ = 0;
    int32_t y_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<std::unique_ptr<Element>> children_;
    // Observers: elements of the subtree, owned by their parents.
    std::vector<Element*> inputs;
    std::vector<Element*> captures;
};

} // namespace stellaro
