#include "sky/sky_painters.h"
#include "sky/star_strength.h"
#include "sky/stars.h"

#include "astro/angles.h"
#include "document/document.h"
#include "skin/surface/span_filler.h"

#include <algorithm>
#include <cmath>

namespace stellaro {

namespace {

constexpr int32_t STAR_MARGIN = 20;

struct Switches {
    bool background = true;
    bool grid = true;
    bool stars = true;
    bool constellations = true;
    bool planets = true;
    bool night = false;
};

Switches switches()
{
    Switches on;
    if (const Document* document = Document::instance()) {
        on.background = document->show_back;
        on.grid = document->show_grid;
        on.stars = document->show_stars;
        on.constellations = document->show_constellations;
        on.planets = document->show_planets;
        on.night = document->night_mode;
    }
    return on;
}

Point at(Point origin, const FixedVector& p)
{
    return {origin.x + static_cast<int32_t>(p.x), origin.y + static_cast<int32_t>(p.y)};
}

// A picture's pixels as a surface to draw from.
RenderSurface source_of(const PictureRef& picture)
{
    if (picture.empty() || !picture.picture->pixels())
        return {};
    return RenderSurface(*picture.picture->pixels());
}

// Draws a whole picture straight from its pixels, without the nine-part machinery.
void draw_whole(RenderSurface& surface, const PictureRef& picture, Point top_left, const SpanPainter& painter)
{
    if (picture.empty() || !picture.picture->pixels())
        return;
    surface.draw(source_of(picture), top_left, painter);
}

} // namespace

void Stars::paint(RenderSurface& surface, Point origin)
{
    labels_this_frame = 0;
    if (width() <= 0 || height() <= 0)
        return;
    refresh_projection();
    ClipScope clip(surface, origin, Size{width(), height()});
    const Switches on = switches();
    if (on.background)
        paint_background(surface, origin);
    else
        surface.apply(origin, Size{width(), height()}, SolidFiller(Pixel{0}));
    if (on.grid || on.stars)
        mark_grid();
    if (on.grid)
        paint_grid(surface, origin);
    paint_horizon(surface, origin);
    paint_ecliptic(surface, origin);
    paint_altitude_scale(surface, origin);
    if (on.constellations)
        paint_constellations(surface, origin);
    if (on.stars)
        paint_stars(surface, origin);
    if (on.planets)
        paint_bodies(surface, origin);
}

void Stars::paint_background(RenderSurface& surface, Point origin)
{
    const Size tile = background.size();
    if (background.empty() || tile.width <= 0 || tile.height <= 0) {
        surface.apply(origin, Size{width(), height()}, SolidFiller(Pixel{0}));
        return;
    }
    auto x0 = static_cast<int32_t>(std::floor(std::fmod(-width() * view_.azimuth_travel, tile.width)));
    auto y0 = static_cast<int32_t>(std::floor(std::fmod(width() * view_.view_altitude, tile.height)));
    if (x0 > 0)
        x0 -= tile.width;
    if (y0 >= 1)
        y0 -= tile.height;
    const RenderSurface source = source_of(background);
    for (int32_t y = y0; y < height(); y += tile.height)
        for (int32_t x = x0; x < width(); x += tile.width)
            surface.draw(source, origin + Point{x, y}, plain_copy_painter());
}

void Stars::paint_grid(RenderSurface& surface, Point origin)
{
    for (int r = 0; r < SkyGrid::ROWS; ++r) {
        const int next = (r + 1) % SkyGrid::ROWS;
        for (int c = 1; c <= 11; ++c) {
            const GridNode& node = sky.grid.node(r, c);
            if (!node.in_front)
                continue;
            const GridNode& below = sky.grid.node(next, c);
            if (below.in_front)
                surface.draw_line(at(origin, node.projected), at(origin, below.projected), grid_color);
            const GridNode& side = sky.grid.node(r, c + 1);
            if (c <= 10 && side.in_front)
                surface.draw_line(at(origin, node.projected), at(origin, side.projected), grid_color);
        }
    }
}

void Stars::paint_horizon(RenderSurface& surface, Point origin)
{
    FixedVector previous = project(azimuth_marks[AZIMUTH_MARKS - 1], view_.horizon_to_screen);
    for (int i = 0; i < AZIMUTH_MARKS; ++i) {
        const FixedVector p = project(azimuth_marks[static_cast<size_t>(i)], view_.horizon_to_screen);
        if (p.z < 0) {
            const PictureRef& label = azimuth_labels[static_cast<size_t>(i)];
            if (!label.empty())
                draw_whole(surface, label, Point{origin.x + static_cast<int32_t>(p.x) - label.size().width / 2, origin.y}, or_painter());
            if (previous.z < 0)
                surface.draw_line(at(origin, previous), at(origin, p), hor_color);
        }
        previous = p;
    }
}

void Stars::paint_ecliptic(RenderSurface& surface, Point origin)
{
    FixedVector previous = project(ecliptic[ECLIPTIC_POINTS - 1], view_.sky_to_screen);
    for (const FixedVector& point : ecliptic) {
        const FixedVector p = project(point, view_.sky_to_screen);
        if (p.z < 0 && previous.z < 0)
            surface.draw_line(at(origin, previous), at(origin, p), hor_color);
        previous = p;
    }
}

void Stars::paint_altitude_scale(RenderSurface& surface, Point origin)
{
    for (int i = 0; i < ALTITUDE_MARKS; ++i) {
        const FixedVector p = project(altitude_marks[static_cast<size_t>(i)], view_.tilt_to_screen);
        const PictureRef& label = altitude_labels[static_cast<size_t>(i)];
        if (p.z < 0 && !label.empty())
            draw_whole(surface, label, Point{origin.x, origin.y + static_cast<int32_t>(p.y) - label.size().height / 2}, or_painter());
    }
}

void Stars::paint_constellations(RenderSurface& surface, Point origin)
{
    for (size_t i = 0; i < sky.constellations.size(); ++i) {
        const Constellation& constellation = sky.constellations[i];
        bool pen_down = false;
        FixedVector previous;
        for (const FixedVector& star : figures[i]) {
            if (star.w == 0) {
                pen_down = false;
                continue;
            }
            const FixedVector p = project(star, view_.sky_to_screen);
            if (pen_down && p.z <= 0 && previous.z <= 0)
                surface.draw_line(at(origin, previous), at(origin, p), const_color);
            previous = p;
            pen_down = true;
        }
        const FixedVector p = project(constellation.label_direction_fixed, view_.sky_to_screen);
        if (p.z >= 0)
            continue;
        PictureRef& label = constellation_labels[i];
        if (label.empty() && may_make_label())
            label = make_label(constellation.display_name, const_name_color);
        if (!label.empty()) {
            const Size size = label.size();
            draw_whole(surface, label, at(origin, p) - Point{size.width / 2, size.height / 2}, or_painter());
        }
    }
}

void Stars::paint_stars(RenderSurface& surface, Point origin)
{
    const StarFrame frame = star_frame(clock_, view_.zoom);
    const bool red = switches().night;
    std::array<RenderSurface, STAR_CLASSES> sprites;
    for (int i = 0; i < STAR_CLASSES; ++i)
        sprites[static_cast<size_t>(i)] = source_of(star_sprites[static_cast<size_t>(i)]);

    const FixedMatrix& m = view_.sky_to_screen;
    for (int r = 0; r < SkyGrid::ROWS; ++r) {
        for (int c = 0; c < SkyGrid::COLUMNS - 1; ++c) {
            if (!cell_on_screen(r, c))
                continue;
            for (const CellStar& packed : cell_stars[static_cast<size_t>(r * SkyGrid::COLUMNS + c)]) {
                const FixedVector p = project(FixedVector{packed.x, packed.y, packed.z, FIXED_ONE}, m);
                if (p.z > 0 || p.x < -STAR_MARGIN || p.x > view_.w + STAR_MARGIN || p.y < -STAR_MARGIN ||
                    p.y > view_.h + STAR_MARGIN)
                    continue;
                // Only the stars on screen touch their records.
                StarRecord* star = &sky.stars[static_cast<size_t>(packed.id)];
                star->projected = p;
                const StarLook look = star_look(star->magnitude, star->twinkle_phase, frame);
                const StarColour colour = red ? night_star_colour(star->colour) : star->colour;
                const Point centre = at(origin, p);
                const RenderSurface& sprite = sprites[static_cast<size_t>(look.star_class)];
                if (look.strength > SINGLE_PIXEL_STRENGTH || !sprite.has_buffer()) {
                    surface.set_pixel(centre, Colour{colour.red, colour.green, colour.blue, 255});
                } else {
                    const Size size = sprite.size();
                    surface.draw(sprite, centre - Point{size.width / 2, size.height / 2},
                                 StarPainter({look.strength, colour.red, colour.green, colour.blue}));
                }
                const int32_t alpha = label_alpha(frame, look.star_class);
                if (alpha <= 32 || star->display_name.empty())
                    continue;
                PictureRef& label = star_labels[static_cast<size_t>(packed.id)];
                if (label.empty() && may_make_label())
                    label = make_label(star->display_name, Colour{255, 255, 255, 255});
                if (label.empty())
                    continue;
                const auto painter = tint_or_keep_painter(std::min<int32_t>(alpha, star_color.r), std::min<int32_t>(alpha, star_color.g),
                                                          std::min<int32_t>(alpha, star_color.b));
                draw_whole(surface, label, centre - Point{label.size().width / 2, 0}, *painter);
            }
        }
    }
}

void Stars::paint_bodies(RenderSurface& surface, Point origin)
{
    int budget = 1;
    for (const Body body : ALL_BODIES) {
        place_body(body, budget);
        const SkyBody& entry = bodies_[body_index(body)];
        if (!entry.known)
            continue;
        const FixedVector p = project(entry.direction_fixed, view_.sky_to_screen);
        if (p.z >= 0)
            continue;
        paint_body(surface, origin, body, p);
    }
}

void Stars::paint_body(RenderSurface& surface, Point origin, Body body, const FixedVector& p)
{
    SkyBody& entry = bodies_[body_index(body)];
    const Point centre = at(origin, p);
    int32_t drawn_height = 0;
    const Size whole = entry.picture.size();
    if (!entry.picture.empty() && whole.height > 0) {
        double scale = (view_.zoom * 0.3333333333333333 * 0.375 + 0.125) * size_factor;
        if (body == Body::sun || body == Body::moon)
            scale *= 2.0;
        const Size frame_size = body == Body::sun ? Size{whole.height, whole.height} : whole;
        const int32_t frame = body == Body::sun ? static_cast<int32_t>(clock_ * 10) % entry.frames : 0;
        const Size drawn{static_cast<int32_t>(frame_size.width * scale), static_cast<int32_t>(frame_size.height * scale)};
        drawn_height = drawn.height;
        const Point top_left = centre - Point{drawn.width / 2, drawn.height / 2};
        const Point source_origin{frame * frame_size.width, 0};
        const FixedVector horizon = project(entry.direction_fixed, view_.sky_to_horizon_scaled);
        const int32_t split = std::clamp<int64_t>(centre.y - horizon.y, top_left.y, top_left.y + drawn.height);
        const RenderSurface source = source_of(entry.picture);
        const double phase = std::trunc(entry.position.phase_angle);
        const int32_t c = whole.height / 2;
        const auto quarter = static_cast<int32_t>(phase) / 90;
        const auto half_width = static_cast<int32_t>(c * std::fabs(std::cos(phase * DEG_TO_RAD)) + 1);
        for (int pass = 0; pass < 2; ++pass) {
            const uint16_t strength = pass == 0 ? 255 : 128;
            const int32_t top = pass == 0 ? top_left.y : split;
            const int32_t bottom = pass == 0 ? split : top_left.y + drawn.height;
            if (bottom <= top)
                continue;
            std::unique_ptr<SpanPainter> painter;
            if (body == Body::sun)
                painter = tint_or_painter(strength, strength, strength);
            else if (body == Body::moon)
                painter = std::make_unique<PhasePainter>(PhaseRule{{strength, strength, strength}, c, quarter, half_width});
            else
                painter = adjustable_add_painter(0x80);
            ClipScope rows(surface, Point{top_left.x, top}, Size{drawn.width, bottom - top});
            surface.draw_scaled(source, source_origin, frame_size, top_left, drawn, *painter);
        }
    }
    if (entry.label.empty() && may_make_label())
        entry.label = make_label(entry.name, planet_color);
    if (!entry.label.empty()) {
        const auto painter = tint_or_keep_painter(255, 255, 255);
        draw_whole(surface, entry.label, centre + Point{-entry.label.size().width / 2, drawn_height}, *painter);
    }
}

} // namespace stellaro
