#include "app/element_dump.h"

#include "platform/utf.h"

#include <nlohmann/json.hpp>

namespace stellaro {

namespace {

void add_state(nlohmann::ordered_json& out, const Element& element)
{
    ElementState state;
    element.describe(state);
    if (state.text)
        out["text"] = utf16_to_utf8(*state.text);
    if (state.state)
        out["state"] = *state.state;
    if (state.value)
        out["value"] = *state.value;
    if (state.selection)
        out["selection"] = *state.selection;
    if (state.first_item)
        out["first_item"] = *state.first_item;
}

nlohmann::ordered_json element_json(const Element& element)
{
    nlohmann::ordered_json out;
    out["name"] = utf16_to_utf8(element.id());
    out["kind"] = utf16_to_utf8(element.kind());
    out["rect"] = {element.x(), element.y(), element.width(), element.height()};
    out["visible"] = element.effectively_visible();
    out["enabled"] = element.effectively_enabled();
    add_state(out, element);
    nlohmann::ordered_json children = nlohmann::ordered_json::array();
    for (const auto& child : element.children())
        children.push_back(element_json(*child));
    out["children"] = std::move(children);
    std::vector<Element*> parts;
    element.append_parts(parts);
    if (!parts.empty()) {
        nlohmann::ordered_json rows = nlohmann::ordered_json::array();
        for (const Element* part : parts)
            rows.push_back(element_json(*part));
        out["rows"] = std::move(rows);
    }
    return out;
}

} // namespace

std::string dump_screens(const ScreenStack& screens)
{
    nlohmann::ordered_json out;
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (size_t i = 0; i < screens.size(); ++i)
        list.push_back(element_json(*screens.at(i)));
    out["screens"] = std::move(list);
    // Texts come from skins and language files; a damaged one must not stop the dump.
    return out.dump(1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

FileResult write_dump(const ScreenStack& screens, const std::string& path)
{
    return write_whole_file(path, dump_screens(screens), FileSharing::SHARED);
}

} // namespace stellaro
