#pragma once
#include "skin/elements/element.h"
#include "skin/kinds/edit_element.h"
#include "skin/kinds/edit_listener.h"

namespace stellaro {

// The "label_edit" kind: an edit field (the child "#edit") with a hint (the child "#text", any
// element) that shows while the field is empty. It passes the field's changes on to its own
// listener.
class LabelEdit : public Element, public EditListener {
public:
    explicit LabelEdit(Element* owner = nullptr);
    ~LabelEdit() override;

    // Finds "#edit" and "#text" (skincore::NodeNotFound when one is missing, a SkinError when
    // "#edit" is not an edit field).
    void init_from_skin(Properties& properties, const SkinBlock* block) override;
    void on_text_changed(EditElement& edit) override;
    void describe(ElementState& state) const override;

    void set_listener(EditListener* listener) { listener_ = listener; }
    EditElement* edit() const { return edit_; }
    Element* hint() const { return hint_; }

private:
    void show_hint();

    EditListener* listener_ = nullptr;
    EditElement* edit_ = nullptr;
    Element* hint_ = nullptr;
};

} // namespace stellaro
