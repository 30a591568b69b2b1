#include "screens/object_info_panel.h"

#include "astro/apparent_place.h"
#include "astro/coordinates.h"
#include "astro/delta_t.h"
#include "astro/refraction.h"
#include "astro/solar_system.h"
#include "astro/topocentric.h"
#include "document/document.h"
#include "screens/coordinate_text.h"
#include "shell/application.h"
#include "skin/io/zip_reader.h"
#include "skin/kinds/color_box.h"
#include "skin/kinds/image_box.h"
#include "skin/props/skincore.h"
#include "skin/surface/decode_image.h"
#include "skin/surface/load_565.h"
#include "skin/surface/span_filler.h"
#include "sky/moon_figure.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace stellaro {

namespace {

// The panel's whole frames per second of the Sun's animation.
constexpr double SUN_FRAMES_PER_SECOND = 10.0;
// The side of the object's picture in design pixels; the object is scaled to fill it.
constexpr int32_t PICTURE_SIDE = 96;

Element& required(const Element& screen, std::u16string_view id)
{
    Element* child = screen.find_child(id);
    if (!child)
        throw skincore::NodeNotFound(ObjectInfoPanel::NODE, std::u16string(id));
    return *child;
}

void set_text(Element& element, std::u16string_view text) { element.send_text(element.id(), text); }

bool night_mode()
{
    const Document* document = Document::instance();
    return document && document->night_mode;
}

RenderSurface pixels_of(const PictureRef& picture)
{
    if (picture.empty() || !picture.picture->pixels())
        return {};
    return RenderSurface(*picture.picture->pixels());
}

// The moment shown, in UT: the document's, or J2000.0 without one.
double shown_jd_ut()
{
    const Document* document = Document::instance();
    return document ? document->observer.jd : 2451545.0;
}

} // namespace

void ObjectInfoScreen::update(double elapsed)
{
    Element::update(elapsed);
    panel.advance(elapsed);
}

bool ObjectInfoScreen::on_key(const KeyEvent& event)
{
    if (event.down && (event.code == KEY_BACKSPACE || event.code == KEY_ESC)) {
        panel.close();
        return true;
    }
    return Element::on_key(event);
}

ObjectInfoPanel::ObjectInfoPanel(Properties& properties, std::u16string data_folder)
    : properties(properties), data_folder(std::move(data_folder))
{
    build();
    properties.add_listener(this);
}

ObjectInfoPanel::~ObjectInfoPanel()
{
    properties.remove_listener(this);
    close();
}

void ObjectInfoPanel::build()
{
    auto made = std::make_unique<ObjectInfoScreen>(*this);
    if (!made->load_from_skin(properties, NODE))
        throw skincore::NodeNotFoundInSkin(NODE);
    made->set_visible(true);
    made->set_id(NODE);
    auto* back = dynamic_cast<Button*>(&required(*made, u"back"));
    if (!back)
        throw skincore::SkinError("node {back} of {Selection} is not a \"button\"");
    back->set_listener(this);
    image = &required(*made, u"image");
    name = &required(*made, u"name");
    desc = &required(*made, u"desc");
    background = &required(*made, u"background");
    for (const char16_t* value : {u"ra", u"dec", u"az", u"alt"})
        required(*made, value);
    owned_screen = std::move(made);
    screen_ = owned_screen.get();
}

void ObjectInfoPanel::reload_skin(Properties&)
{
    close();
    owned_screen.reset();
    build();
}

PictureRef ObjectInfoPanel::blank_picture() const
{
    const int32_t side = PICTURE_SIDE << std::clamp(properties.scale(), 0, 1);
    const Size size{side, side};
    PictureRef picture = make_picture(PixelBuffer::create(size));
    if (picture.empty())
        return picture;
    const auto* box = dynamic_cast<const ColorBox*>(background);
    const Colour fill = box ? box->colour() : Colour{0, 0, 0, 255};
    RenderSurface surface(*picture.picture->pixels());
    surface.apply({0, 0}, size, SolidFiller(fill));
    return picture;
}

void ObjectInfoPanel::fill(std::u16string_view name_text, std::u16string_view designation, double ra, double dec)
{
    set_text(*name, name_text);
    set_text(*desc, designation);
    set_text(required(*screen_, u"ra"), format_right_ascension(ra));
    set_text(required(*screen_, u"dec"), format_signed_degrees(dec));
    // Without a place and moment there is no horizon to measure from.
    std::u16string azimuth, altitude;
    if (const Document* document = Document::instance()) {
        const HorizontalPosition horizontal = equatorial_to_horizontal(document->observer, ra, dec);
        azimuth = format_signed_degrees(horizontal.azimuth);
        // The altitude as the eye sees it, lifted by the air unless that is switched off.
        altitude = format_signed_degrees(document->refraction ? refracted_altitude(horizontal.altitude) : horizontal.altitude);
    }
    set_text(required(*screen_, u"az"), azimuth);
    set_text(required(*screen_, u"alt"), altitude);
    if (auto* box = dynamic_cast<ImageBox*>(image))
        box->set_picture(picture_);
    image->invalidate_measure();
    screen_->request_repaint();
}

void ObjectInfoPanel::show_star(const StarRecord& star, const std::vector<Constellation>& constellations)
{
    shown_body = -1;
    const std::u16string number = [&] {
        const std::string digits = std::to_string(star.id);
        return std::u16string(digits.begin(), digits.end());
    }();
    std::u16string designation;
    if (star.bayer_letter != 0)
        if (const Constellation* constellation = find_constellation(constellations, star.constellation_code);
            constellation && constellation->code == star.constellation_code)
            designation = std::u16string(1, star.bayer_letter) + u" " + constellation->display_name;
    std::u16string shown_name = star.display_name;
    if (shown_name.empty())
        shown_name = u"HR " + number;
    else
        designation += (designation.empty() ? u"" : u"\n") + (u"HR " + number);

    const PictureRef sprite = load_565(data_folder + u"/skins/bin/star_general");
    picture_ = blank_picture();
    if (!sprite.empty() && !picture_.empty()) {
        const StarColour c = star.colour;
        const bool red = night_mode();
        const int32_t grey = (77 * c.red + 151 * c.green + 28 * c.blue) >> 8;
        const auto painter = red ? tinted_lighten_painter(grey, 0, 0) : tinted_lighten_painter(c.red, c.green, c.blue);
        RenderSurface target(*picture_.picture->pixels());
        target.draw_scaled(pixels_of(sprite), Point{0, 0}, target.size(), *painter);
    }
    const EquatorialPosition place = apparent_place(star.ra_hours(), star.dec_degrees(), terrestrial_time(shown_jd_ut()));
    fill(shown_name, designation, place.ra, place.dec);
    open();
}

void ObjectInfoPanel::show_body(const SkyBody& body, int32_t index)
{
    const double jd_tt = terrestrial_time(shown_jd_ut());
    const Body which = ALL_BODIES[static_cast<size_t>(std::clamp(index, 0, static_cast<int32_t>(BODY_COUNT) - 1))];
    const BodyPosition position = body_position(jd_tt, which, false);
    const BodyPosition sun = body_position(jd_tt, Body::sun, false);
    shown_body = static_cast<int32_t>(body_index(which));
    body_picture = body.picture;
    // The picture has north up and east to the left, as the sky has it looking south.
    moon_phase = {position.phase_angle, bright_limb_position_angle(position.ra, position.dec, sun.ra, sun.dec)};
    sun_frame = -1;
    draw_body();
    // Seen from the place, as the sky draws it.
    EquatorialPosition seen{position.ra, position.dec};
    if (const Document* document = Document::instance())
        seen = topocentric(seen, position.distance_au * KM_PER_AU, document->observer).position;
    fill(body.name, u"", seen.ra, seen.dec);
    open();
}

void ObjectInfoPanel::draw_body()
{
    const Size whole = body_picture.size();
    const Body which = ALL_BODIES[static_cast<size_t>(shown_body)];
    const bool sun = which == Body::sun;
    const Size frame = sun ? Size{whole.height, whole.height} : whole;
    picture_ = blank_picture();
    if (body_picture.empty() || picture_.empty() || frame.height <= 0)
        return;
    RenderSurface target(*picture_.picture->pixels());
    const RenderSurface source = pixels_of(body_picture);
    if (sun) {
        const int32_t frames = std::max(1, whole.width / whole.height);
        sun_frame = static_cast<int32_t>(clock * SUN_FRAMES_PER_SECOND) % frames;
        target.draw_scaled(source, Point{sun_frame * frame.width, 0}, frame, Point{0, 0}, target.size(), lighten_painter());
    } else if (which == Body::moon) {
        draw_moon_figure(target, source, Point{0, 0}, frame, Point{0, 0}, target.size(), moon_phase);
    } else {
        target.draw_scaled(source, Point{0, 0}, frame, Point{0, 0}, target.size(), *adjustable_add_painter(0x80));
    }
}

void ObjectInfoPanel::show_constellation(const Constellation& constellation)
{
    shown_body = -1;
    picture_ = blank_picture();
    ZipReader archive(data_folder + u"/constellations.zip");
    PictureRef figure;
    if (archive.is_open() && archive.find(constellation.code + u".png"))
        figure = make_picture(decode_image(archive));
    if (!figure.empty() && !picture_.empty()) {
        if (night_mode())
            figure.picture->to_night();
        // The whole figure, as large as the square allows, centred.
        const Size from = figure.size();
        RenderSurface target(*picture_.picture->pixels());
        const Size side = target.size();
        const double scale = std::min(static_cast<double>(side.width) / from.width, static_cast<double>(side.height) / from.height);
        const Size drawn{static_cast<int32_t>(from.width * scale), static_cast<int32_t>(from.height * scale)};
        target.draw_scaled(pixels_of(figure), Point{(side.width - drawn.width) / 2, (side.height - drawn.height) / 2}, drawn,
                           plain_copy_painter());
    }
    // The designation is the constellation's abbreviation, as atlases write it.
    const EquatorialPosition label =
        apparent_place(constellation.label_ra, constellation.label_dec, terrestrial_time(shown_jd_ut()));
    fill(constellation.display_name, constellation.code, label.ra, label.dec);
    open();
}

void ObjectInfoPanel::advance(double elapsed)
{
    clock += elapsed;
    if (shown_body != static_cast<int32_t>(body_index(Body::sun)) || !is_open())
        return;
    const Size whole = body_picture.size();
    if (whole.height <= 0)
        return;
    const int32_t frames = std::max(1, whole.width / whole.height);
    if (static_cast<int32_t>(clock * SUN_FRAMES_PER_SECOND) % frames == sun_frame)
        return;
    draw_body();
    if (auto* box = dynamic_cast<ImageBox*>(image))
        box->set_picture(picture_);
    image->request_repaint();
}

void ObjectInfoPanel::open()
{
    Application* application = Application::instance();
    if (!application || is_open())
        return;
    application->push_screen(std::move(owned_screen), ScreenKind::OVERLAY);
}

void ObjectInfoPanel::close()
{
    if (!is_open())
        return;
    if (Application* application = Application::instance())
        if (std::unique_ptr<Element> removed = application->remove_screen(screen_))
            owned_screen.reset(static_cast<ObjectInfoScreen*>(removed.release()));
}

void ObjectInfoPanel::on_click(Button&, Point) { close(); }

} // namespace stellaro
