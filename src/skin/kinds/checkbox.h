#pragma once
#include "skin/elements/element.h"
#include "skin/kinds/button.h"

#include <cstdint>
#include <string>
#include <vector>

namespace stellaro {

class Checkbox;

// Told about a checkbox's clicks and state changes.
class CheckboxListener {
public:
    virtual ~CheckboxListener() = default;
    // The shown state was clicked; with a listener the state stays as it is.
    virtual void on_click(Checkbox& checkbox, Point point) = 0;
    // The state changed; notify as given to set_state.
    virtual void on_state_changed(Checkbox&, bool /*notify*/) {}
};

// "checkbox": a button of "states" states, one child button "#state_0", "#state_1", ... per
// state, of which only the current one shows. A click on it goes to the listener, or without
// one moves to the next state, round to the first. Passes input on to its state buttons.
class Checkbox : public Element, private ButtonListener {
public:
    explicit Checkbox(Element* owner = nullptr);

    void set_listener(CheckboxListener* listener) { listener_ = listener; }
    // Shows state index; nothing when it is shown already or there is no such state.
    void set_state(uint32_t index, bool notify);
    void next_state(bool notify);
    uint32_t state() const { return current; }
    uint32_t state_count() const { return static_cast<uint32_t>(states.size()); }
    const std::u16string& text() const { return text_; }
    // The button of a state; null for no such state.
    Button* state_button(uint32_t index) const { return index < states.size() ? states[index] : nullptr; }

    // Throws skincore::NodeNotFound when a state's button is missing, skincore::SkinError when
    // "states" is below 1 or a state's child is no button.
    void init_from_skin(Properties& properties, const SkinBlock* block) override;
    void describe(ElementState& state) const override;

private:
    void on_click(Button& button, Point point) override;

    std::vector<Button*> states;
    uint32_t current = 0;
    std::u16string text_;
    CheckboxListener* listener_ = nullptr;
};

} // namespace stellaro
