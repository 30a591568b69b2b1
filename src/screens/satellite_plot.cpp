#include "screens/satellite_plot.h"

#include "skin/props/properties.h"
#include "skin/surface/draw_text.h"
#include "skin/surface/render_surface.h"
#include "skin/surface/span_filler.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace stellaro {

namespace {

constexpr double PI = 3.14159265358979323846;
// Segments of a drawn circle: smooth enough at the largest plot.
constexpr int CIRCLE_SEGMENTS = 96;

void draw_circle(RenderSurface& surface, Point centre, int32_t radius, Colour colour)
{
    Point last{centre.x + radius, centre.y};
    for (int i = 1; i <= CIRCLE_SEGMENTS; ++i) {
        const double angle = 2.0 * PI * i / CIRCLE_SEGMENTS;
        const Point next{centre.x + static_cast<int32_t>(std::lround(radius * std::cos(angle))),
                         centre.y + static_cast<int32_t>(std::lround(radius * std::sin(angle)))};
        surface.draw_line(last, next, colour);
        last = next;
    }
}

void fill_disc(RenderSurface& surface, Point centre, int32_t radius, Colour colour)
{
    const SolidFiller filler(colour);
    for (int32_t dy = -radius; dy <= radius; ++dy) {
        const auto half = static_cast<int32_t>(std::sqrt(static_cast<double>(radius * radius - dy * dy)) + 0.5);
        surface.apply({centre.x - half, centre.y + dy}, {2 * half + 1, 1}, filler);
    }
}

// A short text centred on a point.
void draw_centred(RenderSurface& surface, const FontHandle& font, Colour colour, const std::u16string& text, Point at)
{
    const int32_t box = font->line_height() * 4;
    draw_text(font, surface, colour, text, {at.x - box / 2, at.y - box / 2}, {box, box}, HALIGN_CENTER, VALIGN_VCENTER, false);
}

std::u16string decimal(int32_t number)
{
    const std::string digits = std::to_string(number);
    return {digits.begin(), digits.end()};
}

bool same(const GpsSatellite& a, const GpsSatellite& b)
{
    return a.prn == b.prn && a.elevation_deg == b.elevation_deg && a.azimuth_deg == b.azimuth_deg &&
           a.signal_db == b.signal_db && a.used == b.used;
}

} // namespace

Point sky_plot_point(double elevation_deg, double azimuth_deg, Point centre, int32_t radius)
{
    // Values that cannot be placed land on the horizon due north rather than anywhere at all.
    const double elevation = std::isfinite(elevation_deg) ? std::clamp(elevation_deg, 0.0, 90.0) : 0.0;
    const double distance = radius * (90.0 - elevation) / 90.0;
    const double azimuth = std::isfinite(azimuth_deg) ? std::fmod(azimuth_deg, 360.0) * PI / 180.0 : 0.0;
    return {centre.x + static_cast<int32_t>(std::lround(distance * std::sin(azimuth))),
            centre.y - static_cast<int32_t>(std::lround(distance * std::cos(azimuth)))};
}

SatellitePlot::SatellitePlot(Element* owner) : Element(owner) {}

std::unique_ptr<NodeRegistration> SatellitePlot::register_kind()
{
    if (is_node_registered(KIND))
        return nullptr;
    return std::make_unique<NodeRegistration>(KIND, factory_of<SatellitePlot>());
}

void SatellitePlot::init_from_skin(Properties& properties, const SkinBlock* block)
{
    Element::init_from_skin(properties, block);
    font = properties.get_font(block, u"font", FontHandle::default_font());
    ring_colour = properties.get_color(block, u"ring_color", ring_colour);
    label_colour = properties.get_color(block, u"label_color", label_colour);
    used_colour = properties.get_color(block, u"used_color", used_colour);
    seen_colour = properties.get_color(block, u"seen_color", seen_colour);
    silent_colour = properties.get_color(block, u"silent_color", silent_colour);
    bar_height_px = properties.get_int(block, u"bar_height", 96) << properties.scale();
    dot_radius_px = properties.get_int(block, u"dot_radius", 7) << properties.scale();
}

void SatellitePlot::set_satellites(std::vector<GpsSatellite> satellites)
{
    if (std::equal(satellites.begin(), satellites.end(), shown.begin(), shown.end(), same))
        return;
    shown = std::move(satellites);
    request_repaint();
}

void SatellitePlot::describe(ElementState& state) const
{
    std::u16string text;
    for (const GpsSatellite& satellite : shown) {
        if (!text.empty())
            text += u' ';
        text += decimal(satellite.prn);
        if (satellite.used)
            text += u'*';
    }
    state.text = text;
}

Colour SatellitePlot::colour_of(const GpsSatellite& satellite) const
{
    if (satellite.used)
        return used_colour;
    return satellite.signal_db > 0.0 ? seen_colour : silent_colour;
}

void SatellitePlot::paint(RenderSurface& surface, Point origin)
{
    const int32_t label = font ? font->line_height() : 0;
    const int32_t plot_height = std::max(0, height() - bar_height_px);
    const int32_t radius = std::min(width(), plot_height) / 2 - label - dot_radius_px;
    if (radius > 0)
        paint_plot(surface, {origin.x + width() / 2, origin.y + plot_height / 2}, radius);
    if (bar_height_px > 0 && height() >= bar_height_px)
        paint_bars(surface, {origin.x, origin.y + plot_height}, {width(), bar_height_px});
    Element::paint(surface, origin);
}

void SatellitePlot::paint_plot(RenderSurface& surface, Point centre, int32_t radius)
{
    for (const int elevation : {0, 30, 60})
        draw_circle(surface, centre, radius * (90 - elevation) / 90, ring_colour);
    surface.draw_line({centre.x - radius, centre.y}, {centre.x + radius, centre.y}, ring_colour);
    surface.draw_line({centre.x, centre.y - radius}, {centre.x, centre.y + radius}, ring_colour);
    if (font) {
        const int32_t away = radius + font->line_height() * 2 / 3;
        const char16_t* letters[] = {u"N", u"E", u"S", u"W"};
        for (int i = 0; i < 4; ++i)
            draw_centred(surface, font, label_colour, letters[i], sky_plot_point(0.0, 90.0 * i, centre, away));
    }
    // The strongest last, so that they lie on top where markers overlap.
    for (auto satellite = shown.rbegin(); satellite != shown.rend(); ++satellite) {
        const Point at = sky_plot_point(satellite->elevation_deg, satellite->azimuth_deg, centre, radius);
        const Colour colour = colour_of(*satellite);
        if (satellite->signal_db > 0.0) {
            fill_disc(surface, at, dot_radius_px, colour);
        } else {
            draw_circle(surface, at, dot_radius_px, colour);
        }
        if (font)
            draw_text(font, surface, colour, decimal(satellite->prn), {at.x + dot_radius_px + 2, at.y - font->line_height()},
                      {font->line_height() * 3, font->line_height()}, HALIGN_LEFT, VALIGN_VCENTER, false);
    }
}

void SatellitePlot::paint_bars(RenderSurface& surface, Point origin, Size size)
{
    const int32_t label = font ? font->line_height() : 0;
    const int32_t slot = size.width / static_cast<int32_t>(MAX_SHOWN_SATELLITES);
    const int32_t tallest = size.height - 2 * label;
    const int32_t base = origin.y + label + tallest;
    const int32_t left = origin.x + (size.width - slot * static_cast<int32_t>(MAX_SHOWN_SATELLITES)) / 2;
    surface.apply({left, base}, {slot * static_cast<int32_t>(MAX_SHOWN_SATELLITES), 1}, SolidFiller(ring_colour));
    if (slot < 3 || tallest < 1)
        return;
    for (size_t i = 0; i < shown.size() && i < MAX_SHOWN_SATELLITES; ++i) {
        const GpsSatellite& satellite = shown[i];
        const int32_t x = left + static_cast<int32_t>(i) * slot;
        const Colour colour = colour_of(satellite);
        const double share = std::clamp(satellite.signal_db / FULL_BAR_DB, 0.0, 1.0);
        const auto bar = static_cast<int32_t>(share * tallest);
        const int32_t bar_width = std::max(1, slot * 2 / 3);
        if (bar > 0)
            surface.apply({x + (slot - bar_width) / 2, base - bar}, {bar_width, bar}, SolidFiller(colour));
        if (!font)
            continue;
        if (satellite.signal_db > 0.0)
            draw_text(font, surface, colour, decimal(static_cast<int32_t>(std::min(satellite.signal_db, 999.0))), {x, base - bar - label},
                      {slot, label}, HALIGN_CENTER, VALIGN_BOTTOM, false);
        draw_text(font, surface, label_colour, decimal(satellite.prn), {x, base + 1}, {slot, label}, HALIGN_CENTER,
                  VALIGN_TOP, false);
    }
}

} // namespace stellaro
