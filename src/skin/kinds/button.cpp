#include "skin/kinds/button.h"

namespace stellaro {

Button::Button(Element* owner) : Element(owner)
{
    if (owner)
        owner->add_input_child(this);
}

void Button::set_caption(std::u16string_view text)
{
    if (text == caption_)
        return;
    caption_ = text;
    send_text(u"#text", text);
}

void Button::set_forced(bool flag)
{
    forced_ = flag;
    refresh_state_children();
}

void Button::init_from_skin(Properties& properties, const SkinBlock* block)
{
    Element::init_from_skin(properties, block);
    normal = find_child(u"#normal");
    pressed = find_child(u"#pressed");
    disabled = find_child(u"#disabled");
    for (Element* state : {normal, pressed, disabled}) {
        if (state)
            state->layout_observer = nullptr;
    }
    bound_key_ = key_from_name(properties.get_string(block, u"bind_key", u"")).value_or(KEY_NONE);
    // The children are new: they get the caption even when it has not changed.
    caption_.clear();
    set_caption(properties.translate(properties.get_string(block, u"text", u"")));
    refresh_state_children();
}

void Button::refresh_state_children()
{
    Element* shown = !effectively_enabled() ? disabled : held() ? pressed : normal;
    if (!shown)
        shown = normal;
    for (Element* state : {disabled, normal, pressed}) {
        if (state)
            state->set_visible(state == shown);
    }
    request_repaint();
}

void Button::press_update(bool was_held, bool cancelled, Point point)
{
    cancelled = cancelled || !effectively_enabled();
    const bool now_held = held();
    if (now_held != was_held && listener_)
        listener_->on_press_changed(*this, point, cancelled);
    if (was_held && !now_held && !cancelled && contains(point) && listener_)
        listener_->on_click(*this, point);
    if (now_held != was_held)
        refresh_state_children();
}

bool Button::on_pointer_button(const PointerEvent& event)
{
    const bool was_held = held();
    if (event.reserved == 0) {
        pointer_held = event.down;
        last_x = event.x;
        last_y = event.y;
    }
    press_update(was_held, event.cancelled, {event.x, event.y});
    if (held() && listener_) {
        ButtonDrag drag{event.x, event.y};
        listener_->on_drag(*this, drag);
    }
    return true;
}

void Button::on_pointer_move(const PointerEvent& event)
{
    if (!pointer_held)
        return;
    ButtonDrag drag{event.x, event.y, event.x - last_x, event.y - last_y};
    if (listener_)
        listener_->on_drag(*this, drag);
    // What the listener used is behind us; the rest stays in the next step's movement.
    last_x += drag.consumed_x;
    last_y += drag.consumed_y;
}

bool Button::on_key(const KeyEvent& event)
{
    if (bound_key_ == KEY_NONE || event.code != bound_key_)
        return false;
    const bool was_held = held();
    key_held = event.down;
    press_update(was_held, false, {x() + width() / 2, y() + height() / 2});
    return true;
}

void Button::on_enabled_changed(bool effective)
{
    Element::on_enabled_changed(effective);
    // A disabled button hears no release, so a press in progress ends here, cancelled.
    if (!effective && (pointer_held || key_held)) {
        const bool was_held = held();
        pointer_held = false;
        key_held = false;
        press_update(was_held, true, {-1, -1});
    }
    refresh_state_children();
}

void Button::describe(ElementState& state) const { state.text = caption_; }

} // namespace stellaro
