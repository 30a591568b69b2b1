#include "fonts/font_handle.h"

#include <mutex>

namespace stellaro {

namespace {

struct DefaultFont {
    std::mutex mutex;
    std::shared_ptr<FontRep> rep;
};

DefaultFont& default_slot()
{
    static DefaultFont slot;
    return slot;
}

} // namespace

FontHandle::FontHandle() : rep(default_font().rep) {}

FontHandle::FontHandle(const FontDesc& description) : rep(std::make_shared<FontRep>(description)) {}

FontHandle FontHandle::default_font()
{
    DefaultFont& slot = default_slot();
    std::lock_guard lock(slot.mutex);
    if (!slot.rep) {
        FontDesc desc = default_font_desc(1);
        desc.size = 10;
        slot.rep = std::make_shared<FontRep>(desc);
    }
    return FontHandle(slot.rep);
}

void FontHandle::set_default(const FontHandle& font)
{
    DefaultFont& slot = default_slot();
    std::lock_guard lock(slot.mutex);
    slot.rep = font.rep;
}

} // namespace stellaro
