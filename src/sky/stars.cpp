#include "sky/stars.h"

#include "astro/angles.h"
#include "astro/apparent_place.h"
#include "astro/coordinates.h"
#include "astro/delta_t.h"
#include "astro/earth_rotation.h"
#include "astro/equatorial_vector.h"
#include "astro/refraction.h"
#include "astro/topocentric.h"
#include "document/document.h"
#include "platform/clock.h"
#include "platform/utf.h"
#include "skin/io/log.h"
#include "skin/io/paths.h"
#include "skin/surface/draw_text.h"
#include "skin/surface/load_565.h"
#include "skin/surface/span_filler.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace stellaro {

namespace {

// The English name keys the translations and names the picture file.
std::u16string body_key(Body body)
{
    const std::string_view name = body_name(body);
    return utf8_to_utf16(std::string(name));
}

// The catalogue's stored vector is cut to 1/1024; the sky draws from the exact position.
EquatorialVector exact_direction(const StarRecord& star)
{
    return equatorial_vector(star.ra_hours() * HOURS_TO_RAD, star.dec_degrees() * DEG_TO_RAD);
}

std::u16string decimal(int32_t value) { return utf8_to_utf16(std::to_string(value)); }

void sort_names(NameIndex& names)
{
    std::stable_sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
}

double squared_distance(const ScreenPoint& p, Point point)
{
    const double dx = p.x - point.x, dy = p.y - point.y;
    return dx * dx + dy * dy;
}

// Brings a difference of angles in degrees into -180..180.
double shortest_turn_deg(double delta)
{
    delta = std::fmod(delta, 360.0);
    if (delta > 180.0)
        delta -= 360.0;
    else if (delta < -180.0)
        delta += 360.0;
    return delta;
}

} // namespace

Stars::Stars(Element* owner, std::u16string folder)
    : Element(owner), data_folder(std::move(folder)), positions([](const std::string& line) { log() << line; })
{
    catalog_load_ = load_sky_catalog(sky, data_folder + u"/catalog.db", data_folder + u"/constellations.txt");
    pack_for_drawing();
    star_labels.resize(sky.stars.size());
    constellation_labels.resize(sky.constellations.size());
    horizon = horizon_circle();
    // The grid's lines run through its nodes: the hour circles and the declination bands'
    // centres, short of the poles.
    const double pole_side = (SkyGrid::COLUMNS / 2 - 1) * SkyGrid::DEC_STEP;
    for (int c = 1; c < SkyGrid::COLUMNS - 1; ++c)
        grid_lines.push_back(declination_circle((c - SkyGrid::COLUMNS / 2) * SkyGrid::DEC_STEP));
    for (int r = 0; r < SkyGrid::ROWS; ++r)
        grid_lines.push_back(meridian(r * SkyGrid::RA_STEP, -pole_side, pole_side));
    for (int i = 0; i < ALTITUDE_MARKS; ++i) {
        const double a = (i * 10 - 90) * DEG_TO_RAD;
        altitude_marks[static_cast<size_t>(i)] = {std::cos(a), 0.0, std::sin(a)};
    }
    for (int i = 0; i < AZIMUTH_MARKS; ++i) {
        const double a = i * 15 * DEG_TO_RAD;
        azimuth_marks[static_cast<size_t>(i)] = {std::cos(a), std::sin(a), 0.0};
    }
    for (const Body body : ALL_BODIES)
        bodies_[body_index(body)].name = body_key(body);
}

Stars::~Stars() = default;

std::unique_ptr<NodeRegistration> Stars::register_kind()
{
    if (is_node_registered(KIND))
        return nullptr;
    return std::make_unique<NodeRegistration>(KIND, factory_of<Stars>());
}

void Stars::pack_for_drawing()
{
    cell_stars.assign(static_cast<size_t>(SkyGrid::ROWS * SkyGrid::COLUMNS), {});
    for (int r = 0; r < SkyGrid::ROWS; ++r)
        for (int c = 0; c < SkyGrid::COLUMNS; ++c) {
            std::vector<CellStar>& packed = cell_stars[static_cast<size_t>(r * SkyGrid::COLUMNS + c)];
            for (const int32_t id : sky.grid.node(r, c).stars) {
                const StarRecord* star = sky.stars.find(id);
                if (!star || !star->valid)
                    continue;
                const EquatorialVector v = exact_direction(*star);
                packed.push_back({static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z), id, star->magnitude, star->colour});
            }
        }

    figures.assign(sky.constellations.size(), {});
    for (size_t i = 0; i < sky.constellations.size(); ++i)
        for (const int32_t number : sky.constellations[i].figure) {
            const StarRecord* star = number == PEN_UP ? nullptr : sky.stars.find(number);
            figures[i].push_back(star ? FigureStep{exact_direction(*star), false} : FigureStep{{}, true});
        }
}

bool Stars::cell_on_screen(int r, int c) const
{
    const int next = (r + 1) % SkyGrid::ROWS;
    return sky.grid.node(r, c).on_screen || sky.grid.node(next, c).on_screen || sky.grid.node(r, c + 1).on_screen ||
           sky.grid.node(next, c + 1).on_screen;
}

const ObserverTime& Stars::observer() const
{
    static const ObserverTime none;
    const Document* document = Document::instance();
    return document ? document->observer : none;
}

bool Stars::night() const
{
    const Document* document = Document::instance();
    return document && document->night_mode;
}

void Stars::init_from_skin(Properties& properties, const SkinBlock* block)
{
    Element::init_from_skin(properties, block);
    load_resources(properties, block);
}

PictureRef Stars::make_label(std::u16string_view text, Colour colour)
{
    // Nothing to show costs nothing, so that a nameless object does not hold up the others.
    if (text.empty() || !font)
        return {};
    ++labels_this_frame;
    const TextSize size = font->measure(text, 0);
    auto pixels = PixelBuffer::create(Size{size.width, size.height});
    if (!pixels)
        return {};
    {
        RenderSurface target(*pixels);
        target.apply({0, 0}, pixels->size(), SolidFiller(Pixel{0}));
        draw_text(font, target, colour, text, {0, 0}, pixels->size(), HALIGN_LEFT, VALIGN_TOP, false);
    }
    return make_picture(std::move(pixels));
}

void Stars::load_resources(Properties& properties, const SkinBlock* block)
{
    Stopwatch stopwatch;
    const Colour black{0, 0, 0, 255};
    grid_color = properties.get_color(block, u"grid_color", black);
    star_color = properties.get_color(block, u"star_color", black);
    planet_color = properties.get_color(block, u"planet_color", black);
    const_name_color = properties.get_color(block, u"const_name_color", black);
    const_color = properties.get_color(block, u"const_color", black);
    compass_mark_color = properties.get_color(block, u"compass_mark_color", black);
    hor_color = properties.get_color(block, u"hor_color", black);
    ground_color = properties.get_color(block, u"ground_color", Colour{24, 30, 18, 255});
    sky_colours.day = properties.get_color(block, u"sky_day_color", Colour{70, 130, 200, 255});
    sky_colours.sunset = properties.get_color(block, u"sky_sunset_color", Colour{60, 90, 150, 255});
    sky_colours.civil = properties.get_color(block, u"sky_civil_color", Colour{28, 44, 92, 255});
    sky_colours.nautical = properties.get_color(block, u"sky_nautical_color", Colour{10, 16, 44, 255});
    font = properties.get_font(block, u"font", FontHandle());
    background = properties.get_picture(block, u"background", {});
    log() << "Stars::load_node0 " << stopwatch.lap() << "\n";

    // The marks are made here, outside the per-frame label budget.
    for (int i = 0; i < ALTITUDE_MARKS; ++i)
        altitude_labels[static_cast<size_t>(i)] = make_label(decimal(i * 10 - 90), compass_mark_color);
    log() << "Stars::load_node1 " << stopwatch.lap() << "\n";
    for (int i = 0; i < AZIMUTH_MARKS; ++i) {
        const int32_t degrees = i * 15;
        const char16_t* point = degrees == 0 ? u"N" : degrees == 90 ? u"E" : degrees == 180 ? u"S" : degrees == 270 ? u"W" : nullptr;
        azimuth_labels[static_cast<size_t>(i)] = make_label(point ? std::u16string(point) : decimal(degrees), compass_mark_color);
    }
    labels_this_frame = 0;
    log() << "Stars::load_node2 " << stopwatch.lap() << "\n";
    for (int i = 0; i < STAR_CLASSES; ++i)
        star_sprites[static_cast<size_t>(i)] = properties.get_picture(block, u"star" + decimal(i), {});
    log() << "Stars::load_node3 " << stopwatch.lap() << "\n";

    build_name_indexes(properties, stopwatch);
    load_bodies(properties);
    log() << "Stars::load_node8 " << stopwatch.lap() << "\n";
    log() << "Stars::load_node all " << stopwatch.seconds() << "\n";
}

void Stars::build_name_indexes(const Properties& properties, Stopwatch& stopwatch)
{
    star_names_.clear();
    star_names_.reserve(1000);
    std::fill(star_labels.begin(), star_labels.end(), PictureRef{});
    for (StarRecord& star : sky.stars) {
        if (!star.valid)
            continue;
        star.display_name = properties.translate_or(decimal(star.id), u"");
        if (!star.display_name.empty())
            star_names_.emplace_back(star.display_name, star.id);
    }
    log() << "Stars::load_node4 " << stopwatch.lap() << "\n";
    sort_names(star_names_);
    log() << "Stars::load_node5 " << stopwatch.lap() << "\n";

    constellation_names_.clear();
    constellation_names_.reserve(100);
    std::fill(constellation_labels.begin(), constellation_labels.end(), PictureRef{});
    for (size_t i = 0; i < sky.constellations.size(); ++i) {
        Constellation& constellation = sky.constellations[i];
        constellation.display_name = properties.translate_or(constellation.code, u"");
        constellation_names_.emplace_back(constellation.display_name, static_cast<int32_t>(i));
    }
    log() << "Stars::load_node6 " << stopwatch.lap() << "\n";
    sort_names(constellation_names_);
    log() << "Stars::load_node7 " << stopwatch.lap() << "\n";

    planet_names_.clear();
    planet_names_.reserve(10);
    for (const Body body : ALL_BODIES) {
        SkyBody& entry = bodies_[body_index(body)];
        entry.name = properties.translate(body_key(body));
        entry.label = {};
        planet_names_.emplace_back(entry.name, static_cast<int32_t>(body_index(body)));
    }
    sort_names(planet_names_);
}

void Stars::load_bodies(Properties& properties)
{
    size_factor = 1 << std::clamp(properties.scale(), 0, 1);
    const bool red = night();
    picture_problems_.clear();
    for (const Body body : ALL_BODIES) {
        SkyBody& entry = bodies_[body_index(body)];
        const std::u16string name = data_folder + u"/skins/bin/" + body_key(body);
        std::string problem;
        entry.picture = load_565(name, &problem);
        if (!problem.empty())
            picture_problems_.push_back({native_path(name + u".bmp"), problem});
        entry.frames = 1;
        const Size size = entry.picture.size();
        if (entry.picture.empty() || size.height <= 0)
            continue;
        if (red)
            entry.picture.picture->to_night();
        if (body == Body::sun)
            entry.frames = std::max(1, size.width / size.height);
    }
}

void Stars::select(SkyObject object)
{
    selected = object;
    view_.arrived = false;
    request_repaint();
}

void Stars::zoom_by(double pixels)
{
    view_.zoom_by(pixels);
    refresh_projection();
    request_repaint();
}

void Stars::refresh_projection()
{
    view_.w = width();
    view_.h = height();
    view_.rebuild(observer());
    place_ecliptic();
}

void Stars::place_ecliptic()
{
    const double jd = observer().jd;
    if (jd == ecliptic_jd)
        return;
    ecliptic_jd = jd;
    ecliptic = ecliptic_circle(true_obliquity(terrestrial_time(jd)));
}

bool Stars::place_body(Body body, int& budget)
{
    const double jd = observer().jd;
    const double d0 = std::floor(jd);
    const auto p0 = positions.cached_body_position(body, d0, budget);
    const auto p1 = positions.cached_body_position(body, d0 + 1.0, budget);
    if (!p0 || !p1)
        return false;
    const double f = jd - d0;
    SkyBody& entry = bodies_[body_index(body)];
    BodyPosition& place = entry.position;
    place = *p0;
    double ra = 0.0, dec = 0.0;
    if (body == Body::moon) {
        // The Moon's motion changes too much within a day for a straight line between two days
        // (minutes of arc): it is computed for the moment itself, once per moment.
        if (jd != moon_moment.jd_ut) {
            moon_moment.jd_ut = jd;
            moon_moment.position = body_position(terrestrial_time(jd), Body::moon, true);
        }
        place = moon_moment.position;
        ra = place.ra;
        dec = place.dec;
    } else {
        double delta = p1->ra - p0->ra;
        if (std::fabs(delta) > 12.0)
            delta += delta > 0.0 ? -24.0 : 24.0;
        ra = std::fmod(p0->ra + delta * f, 24.0);
        if (ra < 0.0)
            ra += 24.0;
        dec = p0->dec + (p1->dec - p0->dec) * f;
        place.phase_angle = std::fmod(p0->phase_angle + shortest_turn_deg(p1->phase_angle - p0->phase_angle) * f + 360.0, 360.0);
        place.distance_au = p0->distance_au + (p1->distance_au - p0->distance_au) * f;
        place.magnitude = p0->magnitude + (p1->magnitude - p0->magnitude) * f;
    }
    // Seen from the place, which turns with the Earth: corrected every frame, not per day.
    const TopocentricPlace seen = topocentric({ra, dec}, place.distance_au * KM_PER_AU, observer());
    place.ra = seen.position.ra;
    place.dec = seen.position.dec;
    place.direction = equatorial_vector(place.ra * HOURS_TO_RAD, place.dec * DEG_TO_RAD);
    entry.horizontal = equatorial_to_horizontal(observer(), place.ra, place.dec);
    const Document* document = Document::instance();
    if (!document || document->refraction)
        entry.horizontal.altitude = refracted_altitude(entry.horizontal.altitude);
    const double a = entry.horizontal.azimuth * DEG_TO_RAD;
    const double h = entry.horizontal.altitude * DEG_TO_RAD;
    const EquatorialVector horizontal{std::cos(h) * std::cos(a), std::cos(h) * std::sin(a), std::sin(h)};
    entry.drawn = view_.catalog_from_horizon(horizontal);
    entry.known = true;
    return true;
}

void Stars::settle_bodies()
{
    for (const Body body : ALL_BODIES) {
        int budget = 2;
        place_body(body, budget);
    }
}

bool Stars::settled() const
{
    const Document* document = Document::instance();
    const bool planets = !document || document->show_planets;
    const bool placed = std::all_of(bodies_.begin(), bodies_.end(), [](const SkyBody& body) { return body.known; });
    const bool sun = bodies_[body_index(Body::sun)].known;
    return labels_this_frame == 0 && sun && (placed || !planets) && (selected.index < 0 || view_.arrived);
}

std::optional<SkyTarget> Stars::selection_target()
{
    if (selected.index < 0)
        return std::nullopt;
    switch (selected.kind) {
    case SkyKind::star: {
        const StarRecord* star = sky.stars.find(selected.index);
        if (!star || !star->valid)
            return std::nullopt;
        return target_of(star->direction);
    }
    case SkyKind::body: {
        if (static_cast<size_t>(selected.index) >= BODY_COUNT)
            return std::nullopt;
        int budget = 2;
        place_body(static_cast<Body>(selected.index), budget);
        const SkyBody& body = bodies_[static_cast<size_t>(selected.index)];
        if (!body.known)
            return std::nullopt;
        return SkyTarget{body.horizontal.azimuth * DEG_TO_RAD, body.horizontal.altitude * DEG_TO_RAD};
    }
    case SkyKind::constellation: {
        if (static_cast<size_t>(selected.index) >= sky.constellations.size())
            return std::nullopt;
        return target_of(sky.constellations[static_cast<size_t>(selected.index)].label_direction);
    }
    case SkyKind::nothing:
        break;
    }
    return std::nullopt;
}

SkyTarget Stars::target_of(const EquatorialVector& catalogue) const
{
    const EquatorialPosition of_date = equatorial_position(view_.date_from_catalog(catalogue));
    const HorizontalPosition place = equatorial_to_horizontal(observer(), of_date.ra, of_date.dec);
    return SkyTarget{place.azimuth * DEG_TO_RAD, place.altitude * DEG_TO_RAD};
}

void Stars::update(double elapsed)
{
    Element::update(elapsed);
    clock_ += elapsed;
    view_.w = width();
    view_.h = height();
    const std::optional<SkyTarget> target = selection_target();
    // Inertia and the travel to a selection move the view at the display's pace; a reached
    // object turns only with the clock, which the twinkle's cadence keeps up with.
    const bool moving = view_.pan_velocity_x != 0.0 || view_.pan_velocity_y != 0.0 || (target && !view_.arrived);
    view_.step(elapsed, target);
    view_.rebuild(observer());
    place_ecliptic();
    if (moving || !settled() || clock_ - drawn_clock >= TWINKLE_SECONDS)
        request_repaint();
    if (needs_repaint())
        drawn_clock = clock_;
    else
        request_frame_after(TWINKLE_SECONDS - (clock_ - drawn_clock));
}

void Stars::on_pointer_move(const PointerEvent& event)
{
    tracker.on_move(event);
    if (!tracker.pressed())
        return;
    view_.h = height();
    view_.drag(tracker.delta_x(), tracker.delta_y());
    refresh_projection();
    request_repaint();
    if (tracker.moved() == -1.0 && listener)
        listener->drag_started();
}

bool Stars::on_pointer_button(const PointerEvent& event)
{
    tracker.on_button(event);
    if (event.down) {
        view_.pan_velocity_x = 0.0;
        view_.pan_velocity_y = 0.0;
        return true;
    }
    if (event.cancelled)
        return false;
    if (tracker.moved() != -1.0) {
        if (listener)
            listener->tapped(event);
    } else {
        view_.pan_velocity_x = tracker.velocity_x();
        view_.pan_velocity_y = tracker.velocity_y();
        // The inertia runs from the next frame on.
        request_repaint();
    }
    return false;
}

bool Stars::on_key(const KeyEvent&) { return false; }

bool Stars::on_text(std::u16string_view) { return false; }

void Stars::mark_grid()
{
    const double margin = view_.radius() * 0.125;
    for (int r = 0; r < SkyGrid::ROWS; ++r)
        for (int c = 0; c < SkyGrid::COLUMNS; ++c) {
            GridNode& node = sky.grid.node(r, c);
            // The lines are the grid of date; the stars are filed by their catalogue places, so
            // the cells are culled in the catalogue frame.
            const ScreenPoint p = project(node.direction, view_.date_to_screen);
            node.projected = {std::llround(p.x), std::llround(p.y), std::llround(p.depth), FIXED_ONE};
            node.in_front = p.in_front();
            const ScreenPoint filed = project(node.direction, view_.sky_to_screen);
            node.on_screen = filed.in_front() && filed.x >= -margin && filed.x < view_.w + margin && filed.y >= -margin &&
                             filed.y < view_.h + margin;
        }
}

SkyObject Stars::nearest_object(Point point)
{
    const Document* document = Document::instance();
    const bool planets = !document || document->show_planets;
    const bool constellations = !document || document->show_constellations;
    const bool stars = !document || document->show_stars;
    double best = 1e10;
    SkyObject result;
    RefractionLift air;
    air.prepare(view_, !document || document->refraction);
    const auto consider = [&](const EquatorialVector& direction, SkyKind kind, int32_t index) {
        const ScreenPoint p = kind == SkyKind::star ? air.screen_point(direction) : project(direction, view_.sky_to_screen);
        if (p.depth >= 0.0)
            return;
        const double distance = squared_distance(p, point);
        if (distance < best) {
            best = distance;
            result = {kind, index};
        }
    };
    if (planets)
        for (size_t body = 0; body < BODY_COUNT; ++body)
            if (bodies_[body].known)
                consider(bodies_[body].drawn, SkyKind::body, static_cast<int32_t>(body));
    if (constellations)
        for (size_t i = 0; i < sky.constellations.size(); ++i)
            consider(sky.constellations[i].label_direction, SkyKind::constellation, static_cast<int32_t>(i));
    if (stars) {
        mark_grid();
        for (int r = 0; r < SkyGrid::ROWS; ++r)
            for (int c = 0; c < SkyGrid::COLUMNS - 1; ++c) {
                if (!cell_on_screen(r, c))
                    continue;
                for (const CellStar& star : cell_stars[static_cast<size_t>(r * SkyGrid::COLUMNS + c)])
                    consider(exact_direction(sky.stars[static_cast<size_t>(star.id)]), SkyKind::star, star.id);
            }
    }
    return result;
}

SelectedPoint Stars::selected_object_point(SkyObject object) const
{
    SelectedPoint answer;
    const int32_t index = object.index;
    if (index < 0)
        return answer;
    EquatorialVector direction;
    switch (object.kind) {
    case SkyKind::star: {
        const StarRecord* star = sky.stars.find(index);
        if (!star || !star->valid)
            return answer;
        answer.name = star->display_name.empty() ? u"HR " + decimal(star->id) : star->display_name;
        direction = exact_direction(*star);
        break;
    }
    case SkyKind::body:
        if (static_cast<size_t>(index) >= BODY_COUNT)
            return answer;
        answer.name = bodies_[static_cast<size_t>(index)].name;
        if (!bodies_[static_cast<size_t>(index)].known) {
            answer.found = true;
            answer.point = {-1000, -1000};
            return answer;
        }
        direction = bodies_[static_cast<size_t>(index)].drawn;
        break;
    case SkyKind::constellation:
        if (static_cast<size_t>(index) >= sky.constellations.size())
            return answer;
        answer.name = sky.constellations[static_cast<size_t>(index)].display_name;
        direction = sky.constellations[static_cast<size_t>(index)].label_direction;
        break;
    case SkyKind::nothing:
        return answer;
    }
    answer.found = true;
    RefractionLift air;
    const Document* document = Document::instance();
    air.prepare(view_, !document || document->refraction);
    const ScreenPoint p = object.kind == SkyKind::star ? air.screen_point(direction) : project(direction, view_.sky_to_screen);
    answer.point = p.in_front() ? Point{static_cast<int32_t>(std::lround(p.x)), static_cast<int32_t>(std::lround(p.y))} : Point{-1000, -1000};
    return answer;
}

} // namespace stellaro
