#include "app/element_dump.h"

#include "astro/angles.h"
#include "astro/julian_date.h"
#include "document/document.h"
#include "platform/utf.h"
#include "skin/props/properties.h"
#include "sky/stars.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <string>

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

// The moment of a Julian day to the second, as YYYY-MM-DDTHH:MM:SS followed by the zone.
std::string iso_moment(double jd, const std::string& zone)
{
    // Rounded to the second first, so that 59.9996 s never shows as 60.
    const double rounded = std::round(jd * 86400.0) / 86400.0;
    const CalendarMoment moment = calendar_from_julian_date(JulianDate(rounded, true));
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", moment.year, moment.month, moment.day, moment.hour,
                  moment.minute, static_cast<int>(std::lround(moment.second)) % 60);
    return text + zone;
}

// UTC = local + bias: the local zone written as +HH:MM or -HH:MM.
std::string zone_of(int bias_minutes)
{
    const int offset = -bias_minutes;
    char text[16];
    std::snprintf(text, sizeof text, "%c%02d:%02d", offset < 0 ? '-' : '+', std::abs(offset) / 60, std::abs(offset) % 60);
    return text;
}

const char* kind_name(SkyKind kind)
{
    switch (kind) {
    case SkyKind::star: return "star";
    case SkyKind::body: return "body";
    case SkyKind::constellation: return "constellation";
    case SkyKind::nothing: break;
    }
    return "nothing";
}

// The file name of the language in use, without folder and extension.
std::string language_name(const Properties& properties)
{
    const std::string path = utf16_to_utf8(properties.language().loaded_path());
    const size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (const size_t dot = name.rfind('.'); dot != std::string::npos)
        name.erase(dot);
    return name;
}

nlohmann::ordered_json document_json(const DumpedState& state)
{
    const Document& document = *state.document;
    nlohmann::ordered_json out;
    const bool has_city = document.city_index >= 0 && static_cast<size_t>(document.city_index) < document.cities.size();
    out["place"] = {{"latitude", document.latitude},
                    {"longitude", document.longitude},
                    {"city", has_city ? utf16_to_utf8(document.cities[document.city_index].name) : std::string()},
                    {"country", has_city ? utf16_to_utf8(document.cities[document.city_index].country) : std::string()},
                    {"zone", document.zone_fixed() ? zone_of(document.zone_bias_minutes()) : document.zone_name()}};
    const double local_jd = document.date_jd + document.hour / 24.0 + document.minute / 1440.0;
    out["moment"] = {{"utc", iso_moment(document.observer.jd, "Z")},
                     {"local", iso_moment(local_jd, zone_of(document.zone_bias_minutes()))},
                     {"julian_day", document.observer.jd}};
    out["live_time"] = document.live_time;
    out["switches"] = {{"background", document.show_back},
                       {"grid", document.show_grid},
                       {"refraction", document.refraction},
                       {"stars", document.show_stars},
                       {"constellations", document.show_constellations},
                       {"planets", document.show_planets}};
    out["night_mode"] = document.night_mode;
    out["language"] = state.properties ? language_name(*state.properties) : std::string();
    if (state.sky) {
        const SkyObject selected = state.sky->selection();
        const SelectedPoint point = state.sky->selected_object_point(selected);
        out["selection"] = {{"kind", kind_name(selected.kind)},
                            {"index", selected.index},
                            {"name", point.found ? utf16_to_utf8(point.name) : std::string()}};
        const SkyView& view = state.sky->view();
        out["view"] = {{"azimuth", view.view_azimuth / DEG_TO_RAD},
                       {"altitude", view.view_altitude / DEG_TO_RAD},
                       {"zoom", view.zoom}};
    }
    return out;
}

} // namespace

std::string dump_screens(const ScreenStack& screens, const DumpedState& state)
{
    nlohmann::ordered_json out;
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (size_t i = 0; i < screens.size(); ++i)
        list.push_back(element_json(*screens.at(i)));
    out["screens"] = std::move(list);
    if (state.document)
        out["document"] = document_json(state);
    // Texts come from skins and language files; a damaged one must not stop the dump.
    return out.dump(1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

FileResult write_dump(const ScreenStack& screens, const std::string& path, const DumpedState& state)
{
    return write_whole_file(path, dump_screens(screens, state), FileSharing::SHARED);
}

} // namespace stellaro
