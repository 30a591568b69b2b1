#include "sky/sky_fixture.h"

#include "astro/angles.h"
#include "astro/apparent_place.h"
#include "astro/coordinates.h"
#include "astro/delta_t.h"
#include "sky/moon_figure.h"

#include <cmath>

namespace stellaro {

namespace {

struct Rgb {
    int r, g, b;
};

Rgb rgb(const Picture565& picture, int x, int y)
{
    const uint16_t p = picture.pixels[static_cast<size_t>(y * picture.width + x)];
    return {(p >> 11) << 3, ((p >> 5) & 0x3F) << 2, (p & 0x1F) << 3};
}

struct Place {
    double latitude, longitude;
};

constexpr Place PARIS{48.85, 2.35}, SYDNEY{-33.87, 151.21}, SINGAPORE{1.35, 103.82};

// The sky at a place and a moment (UT), zoomed in on the selected Moon.
std::unique_ptr<SkyWorld> moon_world(Place place, int year, int month, int day, int hour, int minute)
{
    auto world = std::make_unique<SkyWorld>(Size{320, 240});
    world->document.set_location(place.longitude, place.latitude);
    world->set_moment(year, month, day, hour, minute, 0);
    world->look(0.0, 0.0, 3.0);
    world->sky->select(SkyObject::of(Body::moon));
    settle(*world);
    return world;
}

// The lit part of the Moon's disc as drawn: its fraction of the disc and the direction of its
// centre of light from the disc's centre (degrees from up toward left).
struct LitPart {
    double fraction = 0.0;
    double direction_deg = 0.0;
};

LitPart measure_moon(const SkyWorld& world)
{
    const Picture565 picture = world.picture();
    const Point centre = world.sky->selected_object_point(SkyObject::of(Body::moon)).point;
    // The Moon is 64 pixels across at the deepest zoom; its edge is left out.
    constexpr int RADIUS = 28;
    int disc = 0, lit = 0;
    double sx = 0.0, sy = 0.0;
    for (int dy = -RADIUS; dy <= RADIUS; ++dy)
        for (int dx = -RADIUS; dx <= RADIUS; ++dx) {
            if (dx * dx + dy * dy > RADIUS * RADIUS)
                continue;
            ++disc;
            // The night side is drawn at a fifth of the picture's light; the lit maria are brighter.
            if (rgb(picture, centre.x + dx, centre.y + dy).r >= 96) {
                ++lit;
                sx += dx;
                sy += dy;
            }
        }
    return {static_cast<double>(lit) / disc, picture_angle_deg(sx, sy)};
}

// Where the bright limb faces on the screen by the position angle of the bright limb: the
// screen directions of north and east at the Moon, turned by it.
double expected_limb_deg(const SkyWorld& world)
{
    const BodyPosition& moon = world.sky->bodies()[body_index(Body::moon)].position;
    const BodyPosition& sun = world.sky->bodies()[body_index(Body::sun)].position;
    const double chi = bright_limb_position_angle(moon.ra, moon.dec, sun.ra, sun.dec) * DEG_TO_RAD;
    const Matrix4& m = world.sky->view().sky_to_screen;
    const ScreenPoint at = project(equatorial_vector(moon.ra * HOURS_TO_RAD, moon.dec * DEG_TO_RAD), m);
    const double eps = 1e-4;
    const ScreenPoint north = project(equatorial_vector(moon.ra * HOURS_TO_RAD, moon.dec * DEG_TO_RAD + eps), m);
    const ScreenPoint east = project(equatorial_vector(moon.ra * HOURS_TO_RAD + eps, moon.dec * DEG_TO_RAD), m);
    const double nx = north.x - at.x, ny = north.y - at.y, ex = east.x - at.x, ey = east.y - at.y;
    const double nl = std::hypot(nx, ny), el = std::hypot(ex, ey);
    return picture_angle_deg(std::cos(chi) * nx / nl + std::sin(chi) * ex / el, std::cos(chi) * ny / nl + std::sin(chi) * ey / el);
}

double angle_between_deg(double a, double b)
{
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

} // namespace

TEST(MoonPicture, TheLitPartMatchesThePhaseAndFacesTheSunEverywhere)
{
    struct Case {
        const char* what;
        Place place;
        int year, month, day, hour, minute;
    };
    const Case cases[] = {
        {"crescent from Paris", PARIS, 2026, 12, 12, 16, 30},
        {"crescent from Sydney", SYDNEY, 2026, 12, 12, 9, 0},
        {"crescent from Singapore", SINGAPORE, 2026, 12, 12, 11, 30},
        {"first quarter from Paris", PARIS, 2026, 12, 16, 18, 0},
        {"last quarter from Paris", PARIS, 2026, 12, 31, 6, 0},
        {"last quarter from Sydney", SYDNEY, 2026, 12, 30, 20, 0},
    };
    for (const Case& c : cases) {
        const auto world = moon_world(c.place, c.year, c.month, c.day, c.hour, c.minute);
        const LitPart lit = measure_moon(*world);
        const double phase = world->sky->bodies()[body_index(Body::moon)].position.phase_angle;
        EXPECT_NEAR(lit.fraction, lit_fraction(phase), 0.08) << c.what;
        EXPECT_LT(angle_between_deg(lit.direction_deg, expected_limb_deg(*world)), 8.0) << c.what;
    }
}

TEST(MoonPicture, TheFullMoonIsFullAcrossTheStepOfItsPhaseAngleAndTheNewMoonDark)
{
    EXPECT_GT(measure_moon(*moon_world(PARIS, 2026, 12, 24, 1, 28)).fraction, 0.97);
    EXPECT_GT(measure_moon(*moon_world(PARIS, 2026, 1, 4, 0, 0)).fraction, 0.95);
    EXPECT_LT(measure_moon(*moon_world(PARIS, 2026, 12, 9, 12, 0)).fraction, 0.03);
}

TEST(SkyPicture, TheGroundCoversWhatIsBelowTheHorizon)
{
    // From Paris, Canopus stands 24 degrees below the southern horizon late on 2026-12-24.
    SkyWorld world(Size{320, 240});
    world.document.show_back = false;
    world.document.show_grid = false;
    world.document.show_constellations = false;
    world.set_moment(2026, 12, 24, 23, 50, 0);
    world.look(170.0, 0.0);
    settle(world);
    const Picture565 picture = world.picture();
    const Rgb above = rgb(picture, 200, 60), below = rgb(picture, 200, 180);
    EXPECT_EQ(above.r + above.g + above.b, 0) << "night sky";
    EXPECT_GT(below.g, 0) << "tinted ground";
    const StarRecord* canopus = world.sky->catalog().stars.find(2326);
    ASSERT_NE(canopus, nullptr);
    const Point p = world.sky->selected_object_point({SkyKind::star, 2326}).point;
    ASSERT_GT(p.y, 120);
    ASSERT_LT(p.y, 240);
    // Nothing brighter than the ground where the star would be.
    for (int dy = -3; dy <= 3; ++dy)
        for (int dx = -3; dx <= 3; ++dx) {
            const Rgb c = rgb(picture, p.x + dx, p.y + dy);
            EXPECT_LE(c.r + c.g + c.b, below.r + below.g + below.b + 8);
        }
}

TEST(SkyPicture, AStarIsDrawnWithinAPixelOfItsPlaceAtTheDeepestZoom)
{
    SkyWorld world(Size{320, 240});
    world.document.show_constellations = false;
    world.document.show_grid = false;
    world.sky->select({SkyKind::star, 1457}); // Aldebaran
    world.look(0.0, 0.0, 3.0);
    settle(world);
    world.sky->select({});
    world.look(world.sky->view().view_azimuth * RAD_TO_DEG + 0.05, world.sky->view().view_altitude * RAD_TO_DEG - 0.03, 3.0);
    world.frame(0.0);
    // The place computed afresh: the apparent place of date, azimuth and altitude, then the
    // orthographic view.
    const StarRecord& star = *world.sky->catalog().stars.find(1457);
    const EquatorialPosition place = apparent_place(star.ra_hours(), star.dec_degrees(), terrestrial_time(world.document.observer.jd));
    const HorizontalPosition h = equatorial_to_horizontal(world.document.observer, place.ra, place.dec);
    const SkyView& view = world.sky->view();
    const double a = h.azimuth * DEG_TO_RAD - view.view_azimuth, alt = h.altitude * DEG_TO_RAD, v = view.view_altitude;
    const double y_v = std::cos(alt) * std::sin(a);
    const double z_v = std::sin(alt) * std::cos(v) - std::cos(alt) * std::cos(a) * std::sin(v);
    const double x = 160 + view.radius() * y_v, y = 120 - view.radius() * z_v;
    // The centre of the star's light (its name lies further off).
    const Picture565 picture = world.picture();
    const int x0 = static_cast<int>(std::lround(x)), y0 = static_cast<int>(std::lround(y));
    const Rgb sky = rgb(picture, x0 + 20, y0 - 20);
    double total = 0.0, bx = 0.0, by = 0.0;
    for (int dy = -4; dy <= 4; ++dy)
        for (int dx = -4; dx <= 4; ++dx) {
            const Rgb c = rgb(picture, x0 + dx, y0 + dy);
            const double light = std::max(0, c.r + c.g + c.b - sky.r - sky.g - sky.b);
            total += light;
            bx += light * (x0 + dx);
            by += light * (y0 + dy);
        }
    ASSERT_GT(total, 0.0);
    bx /= total;
    by /= total;
    EXPECT_LE(std::fabs(bx - x), 1.0);
    EXPECT_LE(std::fabs(by - y), 1.0);
}

TEST(SkyPicture, TheSkyIsBlueAtNoonDarkensThroughTwilightAndStaysRedAtNight)
{
    const auto sky_at = [](int hour, int minute, bool night) {
        SkyWorld world(Size{160, 120}, night);
        world.document.show_back = false;
        world.document.show_grid = false;
        world.document.show_constellations = false;
        world.document.show_stars = false;
        world.set_moment(2026, 6, 21, hour, minute, 0);
        world.look(0.0, 60.0);
        settle(world);
        return rgb(world.picture(), 80, 20);
    };
    // Paris on 2026-06-21: noon, the Sun 3, 9 and 15 degrees down in the evening, and midnight
    // (the Sun 18 degrees down only just; take the next winter's midnight for night).
    const Rgb noon = sky_at(11, 50, false);
    const Rgb civil = sky_at(20, 20, false);
    const Rgb nautical = sky_at(21, 10, false);
    const Rgb astronomical = sky_at(22, 10, false);
    EXPECT_GT(noon.b, noon.r);
    EXPECT_GT(noon.b, civil.b);
    EXPECT_GT(civil.b, nautical.b);
    EXPECT_GE(nautical.b, astronomical.b);
    const Rgb red_noon = sky_at(11, 50, true);
    EXPECT_GT(red_noon.r, 0);
    EXPECT_EQ(red_noon.g + red_noon.b, 0);
}

TEST(SkyPicture, NoTwoLabelsOverlapInTaurusAtAnyZoom)
{
    for (const double zoom : {0.0, 1.0, 2.0, 3.0}) {
        SkyWorld world(Size{320, 240});
        world.sky->select({SkyKind::star, 1165}); // Alcyone, in the Pleiades
        world.look(0.0, 0.0, zoom);
        settle(world);
        world.frame(0.0);
        const std::vector<LabelPlace>& labels = world.sky->labels_placed();
        EXPECT_GE(labels.size(), 3u) << zoom;
        for (size_t i = 0; i < labels.size(); ++i)
            for (size_t j = i + 1; j < labels.size(); ++j)
                EXPECT_FALSE(labels[i].box.overlaps(labels[j].box)) << zoom << ": " << i << " and " << j;
    }
}

} // namespace stellaro
