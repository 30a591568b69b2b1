#pragma once
#include "skin/kinds/edit_buffer.h"
#include "skin/kinds/edit_listener.h"
#include "skin/kinds/text_element.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace stellaro {

// The "edit" kind: a text element the user edits in place. A tap makes it the active edit of
// the process (see EditHost) and places the caret; typed text, the editing keys, the mouse and
// the clipboard change the text, and every change is told to the listener. A field with "wrap"
// has several lines; a single-line field scrolls sideways to keep the caret in view. While
// edited it paints "background_color" behind the text, the selection in "selection_color" and a
// thin caret in the text colour.
class EditElement : public TextElement {
public:
    // The field takes input from its owner (the screen that loads it).
    explicit EditElement(Element* owner = nullptr);
    ~EditElement() override;

    // The text element's properties, then "background_color" and "selection_color".
    void init_from_skin(Properties& properties, const SkinBlock* block) override;
    // Shows the text (tabs as spaces; on one line, line breaks as spaces) and tells the listener.
    void set_text(std::u16string_view text) override;

    bool on_pointer_button(const PointerEvent& event) override;
    void on_pointer_move(const PointerEvent& event) override;
    bool on_key(const KeyEvent& event) override;
    // Inserts the text at the caret while the field is edited.
    bool on_text(std::u16string_view text) override;
    void on_visible_changed(bool effective) override;
    void arrange_x() override;
    void arrange_y() override;
    void paint(RenderSurface& surface, Point origin) override;

    // Makes this the active edit, with the caret at the end of the text.
    void begin_edit();
    // True while this is the active edit.
    bool editing() const;
    bool multi_line() const { return wrap(); }
    void set_listener(EditListener* listener) { listener_ = listener; }
    EditListener* listener() const { return listener_; }

    // The text with the caret and the selection.
    const EditBuffer& buffer() const { return buffer_; }
    // Selects from anchor to caret (equal positions put the caret alone).
    void select(size_t anchor, size_t caret);
    // The text position nearest to a point in surface coordinates.
    size_t index_at(Point point) const;
    // The caret's top left, from the element's top left, as drawn.
    Point caret_point() const;
    int32_t scroll_x() const { return scroll_x_; }
    int32_t scroll_y() const { return scroll_y_; }

    // Told by the edit host when editing starts (true) or ends (false) in this field.
    void editing_changed(bool active);

protected:
    LineFill line_fill() const override;

private:
    // The text as this field holds it.
    std::u16string field_text(std::u16string_view text) const;
    // After a change of the text: lines, listener, caret in view, repaint.
    void edited();
    void caret_moved(size_t to, bool extend);
    bool control_key(uint8_t code);
    bool move_key(uint8_t code);
    void move_vertically(int direction);
    void copy_selection() const;
    void keep_caret_in_view();
    int32_t caret_width() const;
    void paint_selection(RenderSurface& surface, Point origin);
    void paint_caret(RenderSurface& surface, Point origin);

    EditListener* listener_ = nullptr;
    EditBuffer buffer_;
    Colour background{0, 0, 0, 255};
    Colour selection{0, 0, 0, 255};
    int32_t scroll_x_ = 0;
    int32_t scroll_y_ = 0;
    // The x that Up and Down keep to, from the box's left; -1 when the caret moved otherwise.
    int32_t goal_x = -1;
    bool shift = false;
    bool ctrl = false;
    bool dragging = false;
};

} // namespace stellaro
