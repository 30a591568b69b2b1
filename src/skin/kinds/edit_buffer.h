#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace stellaro {

// The text of an edit field with its caret and selection, as UTF-16 positions that never fall
// inside a surrogate pair. The selection runs between the anchor and the caret.
class EditBuffer {
public:
    const std::u16string& text() const { return text_; }
    // Replaces the text; caret and anchor keep their places as far as the new text reaches.
    void set_text(std::u16string text);

    size_t caret() const { return caret_; }
    size_t anchor() const { return anchor_; }
    bool has_selection() const { return caret_ != anchor_; }
    size_t selection_begin() const { return caret_ < anchor_ ? caret_ : anchor_; }
    size_t selection_end() const { return caret_ < anchor_ ? anchor_ : caret_; }
    std::u16string selected_text() const;

    // Moves the caret; with extend the anchor stays, so the selection grows or shrinks.
    void move_caret(size_t to, bool extend);
    void select_all();
    // The character boundary before and after a position.
    size_t previous(size_t at) const;
    size_t next(size_t at) const;

    // Replaces the selection (or inserts at the caret) and puts the caret after the text.
    void insert(std::u16string_view text);
    // Deletes the selection, else the character before (back) or after the caret; false when
    // nothing was there to delete.
    bool erase_back();
    bool erase_forward();

private:
    // The position moved off the middle of a surrogate pair and into the text.
    size_t boundary(size_t at) const;
    bool erase_selection();

    std::u16string text_;
    size_t caret_ = 0;
    size_t anchor_ = 0;
};

} // namespace stellaro
