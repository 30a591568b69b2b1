#pragma once
#include "skin/elements/element.h"
#include "skin/kinds/kind_support.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace stellaro {

class Button;

// A pointer movement while a button is held: the position, the movement since the last
// position, and what the listener used of it. Movement it leaves unused is added to the next step.
struct ButtonDrag {
    int32_t x = 0;
    int32_t y = 0;
    int32_t dx = 0;
    int32_t dy = 0;
    int32_t consumed_x = 0;
    int32_t consumed_y = 0;
};

// Told what happens to a button; screens implement it for their buttons.
class ButtonListener {
public:
    virtual ~ButtonListener() = default;
    // A press completed inside the button.
    virtual void on_click(Button& button, Point point) = 0;
    // The button went down or up; cancelled when the press ended without a real release or the
    // button is disabled.
    virtual void on_press_changed(Button&, Point, bool /*cancelled*/) {}
    virtual void on_drag(Button&, ButtonDrag&) {}
};

// "button": held by the stylus, by its bound key ("bind_key") or by the program, showing its
// child "#disabled", "#pressed" or "#normal" to match, and reporting presses, clicks and drags
// to its listener. Its caption goes to every descendant with id "#text".
class Button : public Element, public LiveCount<Button> {
public:
    explicit Button(Element* owner = nullptr);

    void set_listener(ButtonListener* listener) { listener_ = listener; }
    ButtonListener* listener() const { return listener_; }

    void set_caption(std::u16string_view text);
    const std::u16string& caption() const { return caption_; }
    // Holds the button down (or lets it go) from the program; shows it, without notifications.
    void set_forced(bool flag);
    bool forced() const { return forced_; }
    // Held by the pointer, the bound key or the program.
    bool held() const { return pointer_held || key_held || forced_; }
    uint8_t bound_key() const { return bound_key_; }
    void set_bound_key(uint8_t code) { bound_key_ = code; }

    void init_from_skin(Properties& properties, const SkinBlock* block) override;
    void on_pointer_move(const PointerEvent& event) override;
    bool on_pointer_button(const PointerEvent& event) override;
    bool on_key(const KeyEvent& event) override;
    void on_enabled_changed(bool effective) override;
    void describe(ElementState& state) const override;

private:
    // Reports a change of the held state, and a click when a press ended inside.
    void press_update(bool was_held, bool cancelled, Point point);
    // Shows the state child that matches: disabled, else pressed while held, else normal.
    void refresh_state_children();

    ButtonListener* listener_ = nullptr;
    Element* normal = nullptr;
    Element* pressed = nullptr;
    Element* disabled = nullptr;
    uint8_t bound_key_ = KEY_NONE;
    std::u16string caption_;
    bool pointer_held = false;
    bool key_held = false;
    bool forced_ = false;
    int32_t last_x = 0;
    int32_t last_y = 0;
};

} // namespace stellaro
