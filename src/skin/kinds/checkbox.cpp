#include "skin/kinds/checkbox.h"

#include "platform/utf.h"
#include "skin/props/skincore.h"

namespace stellaro {

namespace {

std::u16string state_id(uint32_t index) { return u"#state_" + utf8_to_utf16(std::to_string(index)); }

} // namespace

Checkbox::Checkbox(Element* owner) : Element(owner) {}

void Checkbox::init_from_skin(Properties& properties, const SkinBlock* block)
{
    Element::init_from_skin(properties, block);
    text_ = properties.translate(properties.get_string(block, u"text", u""));
    states.clear();
    const int32_t count = properties.get_int(block, u"states", 0);
    if (count < 1) {
        throw skincore::SkinError("checkbox {" + utf16_to_utf8(id()) + "}: \"states\" is " + std::to_string(count) +
                                  ", it needs at least 1");
    }
    if (current >= static_cast<uint32_t>(count))
        current = 0;
    // Each state must have its button, so a count beyond the children stops at the first missing one.
    for (uint32_t i = 0; i < static_cast<uint32_t>(count); ++i) {
        const std::u16string wanted = state_id(i);
        Element* child = find_child(wanted);
        if (!child)
            throw skincore::NodeNotFound(id(), wanted);
        auto* button = dynamic_cast<Button*>(child);
        if (!button) {
            throw skincore::SkinError("checkbox {" + utf16_to_utf8(id()) + "}: {" + utf16_to_utf8(wanted) +
                                      "} is not a button");
        }
        button->set_listener(this);
        button->set_visible(i == current);
        states.push_back(button);
    }
    states[current]->set_caption(text_);
}

void Checkbox::set_state(uint32_t index, bool notify)
{
    if (index == current || index >= states.size())
        return;
    states[current]->set_visible(false);
    current = index;
    states[current]->set_caption(text_);
    states[current]->set_visible(true);
    if (listener_)
        listener_->on_state_changed(*this, notify);
}

void Checkbox::next_state(bool notify)
{
    if (!states.empty())
        set_state((current + 1) % static_cast<uint32_t>(states.size()), notify);
}

void Checkbox::on_click(Button& button, Point point)
{
    if (current >= states.size() || &button != states[current])
        return;
    if (listener_)
        listener_->on_click(*this, point);
    else
        next_state(true);
}

void Checkbox::describe(ElementState& state) const
{
    state.state = current;
    state.text = text_;
}

} // namespace stellaro
