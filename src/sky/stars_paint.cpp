#include "sky/sky_painters.h"
#include "sky/star_strength.h"
#include "sky/stars.h"

#include "astro/angles.h"
#include "astro/coordinates.h"
#include "document/document.h"
#include "skin/surface/span_filler.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace stellaro {

namespace {

constexpr int32_t STAR_MARGIN = 20;
// Label ranks: the Sun, Moon and planets before every star, constellation names among the
// bright stars (as magnitude 2 would be).
constexpr int32_t BODY_RANK = -100000;
constexpr int32_t CONSTELLATION_RANK = 200;

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

Point at(Point origin, const ScreenPoint& p)
{
    return {origin.x + round_px(p.x), origin.y + round_px(p.y)};
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

uint8_t scaled(uint8_t channel, int32_t intensity) { return static_cast<uint8_t>(channel * intensity / 255); }

// A planet's size and brightness from its magnitude: Venus at its brightest nearly twice the
// standard size, Neptune a third of it and dimmer.
double planet_size_factor(double magnitude) { return std::clamp(std::exp2(-magnitude / 5.0), 0.35, 1.8); }
uint16_t planet_strength(double magnitude) { return static_cast<uint16_t>(std::clamp(255.0 - 28.0 * (magnitude - 1.0), 80.0, 255.0)); }

} // namespace

double Stars::sun_altitude_deg() const
{
    const SkyBody& sun = bodies_[body_index(Body::sun)];
    if (!sun.known)
        return std::numeric_limits<double>::quiet_NaN();
    return sun.horizontal.altitude;
}

MoonPhase Stars::moon_phase() const
{
    const SkyBody& moon = bodies_[body_index(Body::moon)];
    const SkyBody& sun = bodies_[body_index(Body::sun)];
    MoonPhase phase{moon.position.phase_angle, 270.0};
    if (!sun.known)
        return phase;
    // The bright limb faces the Sun along the great circle through both: the tangent there,
    // carried through the projection, is its direction on the screen whatever the view.
    const EquatorialVector& m = moon.drawn;
    const EquatorialVector& s = sun.drawn;
    const double along = s.x * m.x + s.y * m.y + s.z * m.z;
    EquatorialVector toward{s.x - along * m.x, s.y - along * m.y, s.z - along * m.z};
    const double length = std::sqrt(toward.x * toward.x + toward.y * toward.y + toward.z * toward.z);
    if (length < 1e-9)
        return phase;
    constexpr double STEP = 1e-3;
    const ScreenPoint from = project(m, view_.sky_to_screen);
    const ScreenPoint to = project(EquatorialVector{m.x + toward.x / length * STEP, m.y + toward.y / length * STEP,
                                                    m.z + toward.z / length * STEP},
                                   view_.sky_to_screen);
    phase.bright_limb_deg = picture_angle_deg(to.x - from.x, to.y - from.y);
    return phase;
}

void Stars::paint(RenderSurface& surface, Point origin)
{
    labels_this_frame = 0;
    if (width() <= 0 || height() <= 0)
        return;
    refresh_projection();
    const Document* document = Document::instance();
    lift.prepare(view_, !document || document->refraction);
    ClipScope clip(surface, origin, Size{width(), height()});
    const Switches on = switches();
    label_draws.clear();
    placer.clear();
    placer.set_area(Size{width(), height()});
    // The bodies are placed even when hidden: the Sun sets the sky's light.
    int budget = 1;
    for (const Body body : ALL_BODIES)
        place_body(body, budget);
    if (on.background)
        paint_background(surface, origin);
    else
        surface.apply(origin, Size{width(), height()}, SolidFiller(Pixel{0}));
    const Colour daylight = sky_colour(sun_altitude_deg(), sky_colours);
    if (daylight.r || daylight.g || daylight.b)
        surface.apply(origin, Size{width(), height()}, LightenFiller(to_pixel(daylight)));
    if (on.grid || on.stars)
        mark_grid();
    if (on.grid)
        for (const SkyCurve& line : grid_lines)
            draw_curve(surface, origin, line, view_.date_to_screen, grid_color, view_.radius());
    draw_curve(surface, origin, ecliptic, view_.date_to_screen, hor_color, view_.radius());
    if (on.constellations)
        paint_figures(surface, origin);
    paint_ground(surface, origin);
    paint_horizon(surface, origin);
    paint_altitude_scale(surface, origin);
    if (on.stars)
        paint_stars(surface, origin);
    if (on.planets)
        paint_bodies(surface, origin);
    if (on.constellations)
        paint_constellation_names();
    paint_labels(surface, origin);
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

void Stars::paint_ground(RenderSurface& surface, Point origin)
{
    ground_spans(view_, ground);
    // By day the ground takes some of the sky's light.
    const Colour daylight = sky_colour(sun_altitude_deg(), sky_colours);
    const auto lit = [](uint8_t ground_channel, uint8_t sky_channel) {
        return static_cast<uint8_t>(std::min(255, ground_channel + sky_channel * 3 / 8));
    };
    const Colour tint{lit(ground_color.r, daylight.r), lit(ground_color.g, daylight.g), lit(ground_color.b, daylight.b), 255};
    const VeilFiller veil(to_pixel(tint));
    for (const GroundSpan& span : ground)
        surface.apply(origin + Point{span.x_begin, span.y}, Size{span.x_end - span.x_begin, 1}, veil);
}

void Stars::paint_horizon(RenderSurface& surface, Point origin)
{
    draw_curve(surface, origin, horizon, view_.horizon_to_screen, hor_color, view_.radius());
    for (int i = 0; i < AZIMUTH_MARKS; ++i) {
        const ScreenPoint p = project(azimuth_marks[static_cast<size_t>(i)], view_.horizon_to_screen);
        const PictureRef& label = azimuth_labels[static_cast<size_t>(i)];
        if (p.depth >= 0.0 || label.empty())
            continue;
        const Point top_left{static_cast<int32_t>(std::lround(p.x)) - label.size().width / 2, 0};
        draw_whole(surface, label, origin + top_left, or_painter());
        placer.keep_clear({top_left.x, top_left.y, top_left.x + label.size().width, top_left.y + label.size().height});
    }
}

void Stars::paint_altitude_scale(RenderSurface& surface, Point origin)
{
    for (int i = 0; i < ALTITUDE_MARKS; ++i) {
        const ScreenPoint p = project(altitude_marks[static_cast<size_t>(i)], view_.tilt_to_screen);
        const PictureRef& label = altitude_labels[static_cast<size_t>(i)];
        if (p.depth >= 0.0 || label.empty())
            continue;
        const Point top_left{0, static_cast<int32_t>(std::lround(p.y)) - label.size().height / 2};
        draw_whole(surface, label, origin + top_left, or_painter());
        placer.keep_clear({top_left.x, top_left.y, top_left.x + label.size().width, top_left.y + label.size().height});
    }
}

void Stars::paint_figures(RenderSurface& surface, Point origin)
{
    for (const std::vector<FigureStep>& figure : figures) {
        bool pen_down = false;
        ScreenPoint previous;
        for (const FigureStep& step : figure) {
            if (step.pen_up) {
                pen_down = false;
                continue;
            }
            const ScreenPoint p = lift.screen_point(step.direction);
            if (pen_down && p.in_front() && previous.in_front())
                surface.draw_line(at(origin, previous), at(origin, p), const_color);
            previous = p;
            pen_down = true;
        }
    }
}

void Stars::paint_constellation_names()
{
    for (size_t i = 0; i < sky.constellations.size(); ++i) {
        const ScreenPoint p = project(sky.constellations[i].label_direction, view_.sky_to_screen);
        if (!p.in_front())
            continue;
        PictureRef& label = constellation_labels[i];
        if (label.empty() && may_make_label())
            label = make_label(sky.constellations[i].display_name, const_name_color);
        const bool chosen = selected == SkyObject{SkyKind::constellation, static_cast<int32_t>(i)};
        wish_label(label, LabelWish{0, at(Point{}, p), {}, 0, CONSTELLATION_RANK, chosen, true}, Tint{256, 256, 256}, true);
    }
}

void Stars::wish_label(const PictureRef& label, LabelWish wish, Tint tint, bool or_blend)
{
    if (label.empty())
        return;
    wish.id = static_cast<int32_t>(label_draws.size());
    wish.size = label.size();
    label_draws.push_back({label, tint, or_blend});
    placer.add(wish);
}

void Stars::paint_labels(RenderSurface& surface, Point origin)
{
    placed_labels = placer.place();
    for (const LabelPlace& place : placed_labels) {
        const LabelDraw& draw = label_draws[static_cast<size_t>(place.id)];
        if (draw.or_blend) {
            draw_whole(surface, draw.picture, origin + Point{place.box.left, place.box.top}, or_painter());
        } else {
            draw_whole(surface, draw.picture, origin + Point{place.box.left, place.box.top}, LabelPainter(LabelRule{draw.tint}));
        }
    }
}

void Stars::paint_stars(RenderSurface& surface, Point origin)
{
    const StarFrame frame = star_frame(clock_, view_.zoom, sky_limiting_magnitude(sun_altitude_deg()));
    const bool red = switches().night;
    std::array<RenderSurface, STAR_CLASSES> sprites;
    for (int i = 0; i < STAR_CLASSES; ++i)
        sprites[static_cast<size_t>(i)] = source_of(star_sprites[static_cast<size_t>(i)]);

    const auto& m = view_.sky_to_screen.m;
    for (int r = 0; r < SkyGrid::ROWS; ++r) {
        for (int c = 0; c < SkyGrid::COLUMNS - 1; ++c) {
            if (!cell_on_screen(r, c))
                continue;
            for (const CellStar& packed : cell_stars[static_cast<size_t>(r * SkyGrid::COLUMNS + c)]) {
                // The selected star is always drawn, however faint or low, with its name.
                const bool chosen = selected.kind == SkyKind::star && selected.index == packed.id;
                if (packed.magnitude > frame.limit && !chosen)
                    continue;
                const double x = packed.x, y = packed.y, z = packed.z;
                ScreenPoint p{x * m[0][0] + y * m[1][0] + z * m[2][0] + m[3][0], x * m[0][1] + y * m[1][1] + z * m[2][1] + m[3][1],
                              x * m[0][2] + y * m[1][2] + z * m[2][2] + m[3][2]};
                const EquatorialVector direction{x, y, z};
                const double sin_altitude = lift.sin_altitude(direction);
                if (lift.needed(sin_altitude))
                    p = lift.screen_point(direction);
                if (p.depth > 0.0 || p.x < -STAR_MARGIN || p.x > view_.w + STAR_MARGIN || p.y < -STAR_MARGIN ||
                    p.y > view_.h + STAR_MARGIN)
                    continue;
                const bool under_ground = lift.below_horizon(sin_altitude);
                if (under_ground && !chosen)
                    continue;
                // Only the stars on screen touch their records.
                StarRecord* star = &sky.stars[static_cast<size_t>(packed.id)];
                star->projected = {round_px(p.x), round_px(p.y), round_px(p.depth), FIXED_ONE};
                StarLook look = star_look(star->magnitude, star->twinkle_phase, frame);
                if (chosen && look.intensity <= 0)
                    look = {Stars::STAR_CLASSES - 1, 256, 80, true};
                if (look.intensity <= 0)
                    continue;
                if (under_ground)
                    look.intensity /= 2;
                StarColour colour = red ? night_star_colour(star->colour) : star->colour;
                colour = {scaled(colour.red, look.intensity), scaled(colour.green, look.intensity), scaled(colour.blue, look.intensity), 255};
                const Point centre = at(origin, p);
                const RenderSurface& sprite = sprites[static_cast<size_t>(look.star_class)];
                int32_t radius = 1;
                if (look.single_pixel || !sprite.has_buffer()) {
                    surface.set_pixel(centre, Colour{colour.red, colour.green, colour.blue, 255});
                } else {
                    const Size size = sprite.size();
                    radius = size.width / 2;
                    surface.draw(sprite, centre - Point{size.width / 2, size.height / 2},
                                 StarPainter({look.strength, colour.red, colour.green, colour.blue}));
                }
                const int32_t alpha = chosen ? 255 : label_alpha(frame, star->magnitude);
                if (alpha <= 0 || star->display_name.empty())
                    continue;
                PictureRef& label = star_labels[static_cast<size_t>(packed.id)];
                if (label.empty() && may_make_label())
                    label = make_label(star->display_name, Colour{255, 255, 255, 255});
                const auto tint = [alpha](uint8_t channel) { return static_cast<uint16_t>(std::min<int32_t>(alpha, channel)); };
                wish_label(label, LabelWish{0, centre - origin, {}, std::max(2, radius / 2 + 1), star->magnitude, chosen, false},
                           Tint{tint(star_color.r), tint(star_color.g), tint(star_color.b)}, false);
            }
        }
    }
}

void Stars::paint_bodies(RenderSurface& surface, Point origin)
{
    const double sky_limit = sky_limiting_magnitude(sun_altitude_deg());
    for (const Body body : ALL_BODIES) {
        const SkyBody& entry = bodies_[body_index(body)];
        if (!entry.known)
            continue;
        // By day only the planets brighter than the sky are seen; the Sun and the Moon always.
        if (body != Body::sun && body != Body::moon && entry.position.magnitude > sky_limit)
            continue;
        const ScreenPoint p = project(entry.drawn, view_.sky_to_screen);
        if (!p.in_front())
            continue;
        paint_body(surface, origin, body, p);
    }
}

void Stars::paint_body(RenderSurface& surface, Point origin, Body body, const ScreenPoint& p)
{
    SkyBody& entry = bodies_[body_index(body)];
    const Point centre = at(origin, p);
    int32_t drawn_height = 0;
    const Size whole = entry.picture.size();
    const bool sun_or_moon = body == Body::sun || body == Body::moon;
    if (!entry.picture.empty() && whole.height > 0) {
        double scale = (view_.zoom * 0.3333333333333333 * 0.375 + 0.125) * size_factor;
        scale *= sun_or_moon ? 2.0 : planet_size_factor(entry.position.magnitude);
        const Size frame_size = body == Body::sun ? Size{whole.height, whole.height} : whole;
        const int32_t frame = body == Body::sun ? static_cast<int32_t>(clock_ * 10) % entry.frames : 0;
        const Size drawn{std::max(1, static_cast<int32_t>(frame_size.width * scale)), std::max(1, static_cast<int32_t>(frame_size.height * scale))};
        drawn_height = drawn.height;
        const Point top_left = centre - Point{drawn.width / 2, drawn.height / 2};
        // No name covers a body's disc.
        const Point local = top_left - origin;
        placer.keep_clear({local.x, local.y, local.x + drawn.width, local.y + drawn.height});
        const Point source_origin{frame * frame_size.width, 0};
        // Screen rows below the horizon point under the body are drawn dimmed.
        const ScreenPoint horizon = project(entry.drawn, view_.sky_to_horizon_scaled);
        const int32_t split = static_cast<int32_t>(
            std::clamp<double>(std::lround(p.y - horizon.y) + origin.y, top_left.y, top_left.y + drawn.height));
        const RenderSurface source = source_of(entry.picture);
        const MoonPhase phase = body == Body::moon ? moon_phase() : MoonPhase{};
        const uint16_t brightness = sun_or_moon ? 255 : planet_strength(entry.position.magnitude);
        for (int pass = 0; pass < 2; ++pass) {
            const auto strength = static_cast<uint16_t>(pass == 0 ? brightness : brightness / 2);
            const int32_t top = pass == 0 ? top_left.y : split;
            const int32_t bottom = pass == 0 ? split : top_left.y + drawn.height;
            if (bottom <= top)
                continue;
            ClipScope rows(surface, Point{top_left.x, top}, Size{drawn.width, bottom - top});
            if (body == Body::moon) {
                draw_moon_figure(surface, source, source_origin, frame_size, top_left, drawn, phase, strength);
                continue;
            }
            std::unique_ptr<SpanPainter> painter;
            if (body == Body::sun)
                painter = tint_or_painter(strength, strength, strength);
            else
                painter = std::make_unique<PlanetPainter>(PlanetRule{{strength, strength, strength}});
            surface.draw_scaled(source, source_origin, frame_size, top_left, drawn, *painter);
        }
    }
    if (entry.label.empty() && may_make_label())
        entry.label = make_label(entry.name, planet_color);
    const bool chosen = selected == SkyObject::of(body);
    const auto rank = static_cast<int32_t>(BODY_RANK + entry.position.magnitude * 100);
    wish_label(entry.label, LabelWish{0, centre - origin, {}, std::max(2, drawn_height / 2), rank, chosen, false},
               Tint{255, 255, 255}, false);
}

} // namespace stellaro
