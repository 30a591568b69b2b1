#include "skin/elements/element_query.h"

#include <vector>

namespace stellaro {

namespace {

std::vector<std::u16string_view> split_path(std::u16string_view path)
{
    std::vector<std::u16string_view> names;
    size_t start = 0;
    while (start <= path.size()) {
        const size_t slash = path.find(u'/', start);
        const size_t end = slash == std::u16string_view::npos ? path.size() : slash;
        names.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

// Whether the ancestors of the element, nearest first, carry the names before the last one of
// the path, in order from the last of them backwards.
bool ancestors_match(const Element& element, const std::vector<std::u16string_view>& names)
{
    size_t wanted = names.size() - 1;
    for (const Element* above = element.parent(); above && wanted > 0; above = above->parent())
        if (above->id() == names[wanted - 1])
            --wanted;
    return wanted == 0;
}

template <typename Match>
Element* find_first(Element& element, const Match& match)
{
    if (!element.effectively_visible())
        return nullptr;
    if (is_shown(element) && match(element))
        return &element;
    for (const auto& child : element.children())
        if (Element* found = find_first(*child, match))
            return found;
    return nullptr;
}

} // namespace

bool is_shown(const Element& element)
{
    return element.effectively_visible() && element.width() > 0 && element.height() > 0;
}

Element* find_shown(Element& root, std::u16string_view path)
{
    const std::vector<std::u16string_view> names = split_path(path);
    if (names.back().empty())
        return nullptr;
    return find_first(root, [&](const Element& element) {
        return element.id() == names.back() && ancestors_match(element, names);
    });
}

Element* find_showing_text(Element& root, std::u16string_view text)
{
    return find_first(root, [&](const Element& element) {
        ElementState state;
        element.describe(state);
        return state.text && *state.text == text;
    });
}

Point centre_of(const Element& element)
{
    return {element.x() + element.width() / 2, element.y() + element.height() / 2};
}

} // namespace stellaro
