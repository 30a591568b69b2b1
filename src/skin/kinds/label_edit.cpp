#include "skin/kinds/label_edit.h"

#include "platform/utf.h"
#include "skin/props/skincore.h"

namespace stellaro {

LabelEdit::LabelEdit(Element* owner) : Element(owner) {}

LabelEdit::~LabelEdit()
{
    // The field dies with the children; it must not call back into a half-destroyed listener.
    if (edit_)
        edit_->set_listener(nullptr);
}

void LabelEdit::init_from_skin(Properties& properties, const SkinBlock* block)
{
    if (edit_)
        edit_->set_listener(nullptr);
    edit_ = nullptr;
    hint_ = nullptr;
    Element::init_from_skin(properties, block);
    Element* field = find_child(u"#edit");
    if (!field)
        throw skincore::NodeNotFound(id(), u"#edit");
    edit_ = dynamic_cast<EditElement*>(field);
    if (!edit_)
        throw skincore::SkinError("node {#edit} under {" + utf16_to_utf8(id()) + "} is not an edit field");
    hint_ = find_child(u"#text");
    if (!hint_)
        throw skincore::NodeNotFound(id(), u"#text");
    hint_->layout_observer = nullptr;
    edit_->set_listener(this);
    show_hint();
}

void LabelEdit::show_hint()
{
    const bool empty = edit_->text().empty();
    if (hint_->visible() != empty)
        hint_->set_visible(empty);
}

void LabelEdit::on_text_changed(EditElement& edit)
{
    show_hint();
    if (listener_)
        listener_->on_text_changed(edit);
}

void LabelEdit::describe(ElementState& state) const
{
    if (edit_)
        state.text = edit_->text();
}

} // namespace stellaro
