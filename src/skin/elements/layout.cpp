#include "skin/elements/layout.h"

#include <algorithm>

namespace stellaro {

AnchorMode parse_anchor(std::u16string_view name, AnchorMode mode)
{
    static constexpr std::pair<std::u16string_view, AnchorMode> NAMES[] = {
        {u"MIN_SIDE", AnchorMode::MIN_SIDE},
        {u"BOTH_SIDE", AnchorMode::BOTH_SIDE},
        {u"MAX_SIDE", AnchorMode::MAX_SIDE},
        {u"RATIO", AnchorMode::RATIO},
        {u"CENTER", AnchorMode::CENTER},
        {u"MIN_SIDE_NO_SIZE", AnchorMode::MIN_SIDE_NO_SIZE},
        {u"MAX_SIDE_NO_SIZE", AnchorMode::MAX_SIDE_NO_SIZE},
    };
    for (const auto& [text, value] : NAMES) {
        if (text == name)
            return value;
    }
    return mode;
}

int32_t required_length(AnchorMode mode, int32_t border_min, int32_t size, int32_t border_max)
{
    switch (mode) {
    case AnchorMode::MIN_SIDE: return border_min + size;
    case AnchorMode::BOTH_SIDE:
    case AnchorMode::RATIO:
    case AnchorMode::CENTER: return border_min + size + border_max;
    case AnchorMode::MAX_SIDE: return size + border_max;
    case AnchorMode::MIN_SIDE_NO_SIZE:
    case AnchorMode::MAX_SIDE_NO_SIZE: return 0;
    }
    return 0;
}

Placement place_along(AnchorMode mode, int32_t border_min, int32_t measured_minimum, int32_t border_max,
                      int32_t parent_length)
{
    const int32_t p = parent_length;
    int32_t length = mode == AnchorMode::BOTH_SIDE ? p - border_min - border_max : measured_minimum;
    switch (mode) {
    case AnchorMode::MIN_SIDE: length = std::min(length, p - border_min); break;
    case AnchorMode::MAX_SIDE: length = std::min(length, p - border_max); break;
    case AnchorMode::BOTH_SIDE:
    case AnchorMode::RATIO:
    case AnchorMode::CENTER: length = std::min(length, p - border_min - border_max); break;
    case AnchorMode::MIN_SIDE_NO_SIZE:
    case AnchorMode::MAX_SIDE_NO_SIZE: break;
    }
    length = std::max(length, 0);

    int32_t offset = border_min;
    if (mode == AnchorMode::MAX_SIDE || mode == AnchorMode::MAX_SIDE_NO_SIZE)
        offset = std::max(p - length - border_max, 0);
    else if (mode == AnchorMode::CENTER)
        offset = border_min + std::max((p - border_min - border_max) / 2 - length / 2, 0);
    return {offset, length};
}

} // namespace stellaro
