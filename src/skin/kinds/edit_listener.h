#pragma once

namespace stellaro {

class EditElement;

// Told about every change of an edit field's text.
class EditListener {
public:
    virtual ~EditListener() = default;
    virtual void on_text_changed(EditElement& edit) = 0;
};

} // namespace stellaro
