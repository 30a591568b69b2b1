#include "skin/kinds/edit_buffer.h"

#include "skin/kinds/text_word.h"

#include <algorithm>

namespace stellaro {

void EditBuffer::set_text(std::u16string text)
{
    text_ = std::move(text);
    caret_ = boundary(caret_);
    anchor_ = boundary(anchor_);
}

std::u16string EditBuffer::selected_text() const
{
    return text_.substr(selection_begin(), selection_end() - selection_begin());
}

size_t EditBuffer::boundary(size_t at) const
{
    at = std::min(at, text_.size());
    if (at > 0 && at < text_.size() && is_low_surrogate(text_[at]) && is_high_surrogate(text_[at - 1]))
        --at;
    return at;
}

void EditBuffer::move_caret(size_t to, bool extend)
{
    caret_ = boundary(to);
    if (!extend)
        anchor_ = caret_;
}

void EditBuffer::select_all()
{
    anchor_ = 0;
    caret_ = text_.size();
}

size_t EditBuffer::previous(size_t at) const
{
    at = boundary(at);
    return at == 0 ? 0 : boundary(at - 1);
}

size_t EditBuffer::next(size_t at) const
{
    at = boundary(at);
    if (at >= text_.size())
        return text_.size();
    const bool pair = is_high_surrogate(text_[at]) && at + 1 < text_.size() && is_low_surrogate(text_[at + 1]);
    return at + (pair ? 2 : 1);
}

bool EditBuffer::erase_selection()
{
    if (!has_selection())
        return false;
    const size_t begin = selection_begin();
    text_.erase(begin, selection_end() - begin);
    caret_ = anchor_ = begin;
    return true;
}

void EditBuffer::insert(std::u16string_view text)
{
    erase_selection();
    text_.insert(caret_, text);
    caret_ = anchor_ = caret_ + text.size();
}

bool EditBuffer::erase_back()
{
    if (erase_selection())
        return true;
    if (caret_ == 0)
        return false;
    const size_t from = previous(caret_);
    text_.erase(from, caret_ - from);
    caret_ = anchor_ = from;
    return true;
}

bool EditBuffer::erase_forward()
{
    if (erase_selection())
        return true;
    if (caret_ >= text_.size())
        return false;
    text_.erase(caret_, next(caret_) - caret_);
    anchor_ = caret_;
    return true;
}

} // namespace stellaro
