#include "astro/angles.h"
#include "astro/apparent_place.h"
#include "astro/coordinates.h"
#include "astro/delta_t.h"
#include "astro/equatorial_vector.h"
#include "astro/refraction.h"
#include "platform/utf.h"
#include "sky/sky_fixture.h"
#include "support/byte_writer.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace stellaro {

namespace {

constexpr double DEGREES = std::numbers::pi / 180.0;

struct TestStar {
    int32_t id;
    int32_t ra;  // tenths of a second of time
    int32_t dec; // seconds of arc
};

// A catalogue file of the given stars and a constellation file in a folder of their own.
void write_sky(const TemporaryFolder& folder, const std::vector<TestStar>& stars, const std::string& constellations)
{
    ByteWriter bytes;
    bytes.u32(1).u32(20);
    for (const TestStar& star : stars) {
        const EquatorialVector v = equatorial_vector(star.ra / 36000.0 * std::numbers::pi / 12.0, star.dec / 3600.0 * DEGREES);
        // Number, position, magnitude 1.00, white, no Bayer letter, direction.
        bytes.u32(star.id).u32(star.ra).u32(star.dec).u16(100).u16(255).u16(255).u16(255).u16(0);
        bytes.u16(static_cast<int64_t>(v.x * 1024)).u16(static_cast<int64_t>(v.y * 1024)).u16(static_cast<int64_t>(v.z * 1024));
    }
    write_file(folder.file("catalog.db"), bytes.str());
    write_file(folder.file("constellations.txt"), constellations);
}

// Looks at a right ascension (hours) and declination (degrees).
// Faces a catalogue place, which the sky shows at its place of date.
void look_at(SkyWorld& world, double ra, double dec)
{
    const ObserverTime& observer = world.document.observer;
    const EquatorialPosition of_date = equatorial_position(
        frame_of_date(terrestrial_time(observer.jd)).apply(equatorial_vector(ra * HOURS_TO_RAD, dec * DEG_TO_RAD)));
    const HorizontalPosition place = equatorial_to_horizontal(observer, of_date.ra, of_date.dec);
    world.look(place.azimuth, place.altitude);
}

class SyntheticSky : public ::testing::Test {
protected:
    SyntheticSky()
    {
        // Stars 1 and 2 share a place, constellation "Tst" has its label on stars 3 and 4.
        write_sky(folder,
                  {{1, 0, 0}, {2, 0, 0}, {3, 36000, 36000}, {4, 36000, 36000}, {5, 432000, 0}},
                  "Tst,Test,0,0,0,0,3,4\n");
        world = std::make_unique<SkyWorld>(Size{320, 240}, false, utf8_to_utf16(folder.path()));
        world->document.show_planets = false;
    }

    Point screen_of(SkyKind kind, int32_t index) const { return world->sky->selected_object_point({kind, index}).point; }

    TemporaryFolder folder;
    std::unique_ptr<SkyWorld> world;
};

} // namespace

TEST_F(SyntheticSky, TapTargetsPreferTheEarlierObjectSkipWhatIsBehindAndHaveNoDistanceLimit)
{
    look_at(*world, 0.5, 5.0);
    EXPECT_EQ(world->sky->nearest_object(screen_of(SkyKind::star, 1)), (SkyObject{SkyKind::star, 1}));
    const Point label = screen_of(SkyKind::constellation, 0);
    EXPECT_EQ(label, screen_of(SkyKind::star, 3));
    EXPECT_EQ(world->sky->nearest_object(label), (SkyObject{SkyKind::constellation, 0}));
    const SkyObject far = world->sky->nearest_object(Point{-5000, -5000});
    EXPECT_GE(far.index, 0);
    EXPECT_NE(far, (SkyObject{SkyKind::star, 5})); // 12 h away: behind
    world->document.show_constellations = false;
    EXPECT_EQ(world->sky->nearest_object(label), (SkyObject{SkyKind::star, 3}));
    world->document.show_stars = false;
    EXPECT_EQ(world->sky->nearest_object(Point{160, 120}), (SkyObject{}));

    look_at(*world, 0.0, 0.0);
    const SelectedPoint star = world->sky->selected_object_point({SkyKind::star, 1});
    EXPECT_TRUE(star.found);
    EXPECT_EQ(star.name, u"HR 1");
    EXPECT_NEAR(star.point.x, 160, 1);
    EXPECT_NEAR(star.point.y, 120, 1);
    EXPECT_EQ(world->sky->selected_object_point({SkyKind::star, 5}).point, (Point{-1000, -1000}));
    EXPECT_FALSE(world->sky->selected_object_point({SkyKind::star, 17}).found);
}

TEST_F(SyntheticSky, ATapSelectsThroughTheListenerAndADragDoesNot)
{
    struct Recorder : StarsListener {
        void drag_started() override { ++drags; }
        void tapped(const PointerEvent& event) override { taps.push_back({event.x, event.y}); }
        int drags = 0;
        std::vector<Point> taps;
    } recorder;
    world->sky->set_listener(&recorder);
    look_at(*world, 0.0, 0.0);
    const double azimuth = world->sky->view().view_azimuth;
    world->sky->on_pointer_button(PointerEvent{100, 100, 0, 0, true, false});
    world->sky->on_pointer_move(PointerEvent{104, 103, 20, 0, false, false});
    world->sky->on_pointer_button(PointerEvent{104, 103, 40, 0, false, false});
    ASSERT_EQ(recorder.taps.size(), 1u);
    EXPECT_EQ(recorder.taps[0], (Point{104, 103}));
    EXPECT_EQ(recorder.drags, 0);
    EXPECT_EQ(world->sky->view().view_azimuth, azimuth);

    world->sky->on_pointer_button(PointerEvent{100, 100, 100, 0, true, false});
    world->sky->on_pointer_move(PointerEvent{140, 100, 120, 0, false, false});
    world->sky->on_pointer_move(PointerEvent{180, 100, 180, 0, false, false});
    world->sky->on_pointer_button(PointerEvent{180, 100, 200, 0, false, false});
    EXPECT_EQ(recorder.taps.size(), 1u);
    EXPECT_EQ(recorder.drags, 2);
    // Dragging right turns the view toward the west; the release velocity carries on.
    EXPECT_NEAR(world->sky->view().view_azimuth, azimuth - 80.0 / 240.0, 1e-12);
    EXPECT_LT(world->sky->view().pan_velocity_x, 0.0);
    world->sky->on_pointer_button(PointerEvent{180, 100, 300, 0, true, false});
    EXPECT_EQ(world->sky->view().pan_velocity_x, 0.0);
}

TEST(StarsWithTheCatalogue, ASelectionIsTravelledToThenFollowed)
{
    SkyWorld world;
    world.look(300.0, 10.0);
    int32_t orion = -1;
    for (const auto& [name, index] : world.sky->constellation_names())
        if (name == u"Orion")
            orion = index;
    ASSERT_GE(orion, 0);
    world.sky->select({SkyKind::constellation, orion});
    world.frame(0.5);
    EXPECT_FALSE(world.sky->view().arrived);
    EXPECT_LT(settle(world), 200);
    EXPECT_TRUE(world.sky->view().arrived);
    const SelectedPoint point = world.sky->selected_object_point({SkyKind::constellation, orion});
    EXPECT_NEAR(point.point.x, 160, 2);
    EXPECT_NEAR(point.point.y, 120, 2);
    // The sky turns; the view stays on Orion.
    world.set_moment(2026, 12, 24, 23, 0, 60);
    world.frame();
    const SelectedPoint later = world.sky->selected_object_point({SkyKind::constellation, orion});
    EXPECT_NEAR(later.point.x, 160, 2);
    EXPECT_NEAR(later.point.y, 120, 2);
    // A selected body is followed as well.
    world.sky->select(SkyObject::of(Body::moon));
    settle(world);
    EXPECT_NEAR(world.sky->selected_object_point(SkyObject::of(Body::moon)).point.x, 160, 2);
}

TEST(StarsWithTheCatalogue, NamesComeFromTheLanguageAndAppearTwoPerFrameAndBodiesOnePerFrame)
{
    SkyWorld world(Size{640, 480});
    const NameIndex& stars = world.sky->star_names();
    EXPECT_TRUE(std::is_sorted(stars.begin(), stars.end(), [](const auto& a, const auto& b) { return a.first < b.first; }));
    EXPECT_NE(std::find(stars.begin(), stars.end(), std::pair<std::u16string, int32_t>{u"Betelgeuse", 2061}), stars.end());
    EXPECT_EQ(world.sky->planet_names().front(), (std::pair<std::u16string, int32_t>{u"Jupiter", 5}));
    world.look(120.0, 30.0);
    for (int i = 0; i < 5; ++i) {
        world.frame();
        EXPECT_EQ(world.sky->labels_made_this_frame(), Stars::LABELS_PER_FRAME);
    }
    // One day's position is computed per frame, and a body needs two days to interpolate.
    int known = 0;
    for (const SkyBody& body : world.sky->bodies())
        known += body.known;
    EXPECT_EQ(known, 2);
    EXPECT_GT(settle(world), 10);
    EXPECT_EQ(world.sky->labels_made_this_frame(), 0);
    for (const SkyBody& body : world.sky->bodies())
        EXPECT_TRUE(body.known);
    // The Moon of that evening stands in Gemini (7.04 h, +25.8° from the Earth's centre); seen
    // from the place, its parallax lowers it by more than half a degree.
    const BodyPosition& moon = world.sky->bodies()[body_index(Body::moon)].position;
    EXPECT_NEAR(moon.ra, 7.04, 0.1);
    EXPECT_NEAR(moon.dec, 25.2, 0.2);
}

TEST(StarsWithTheCatalogue, BodiesAreDrawnRefractedUnlessTheSwitchIsOff)
{
    SkyWorld world(Size{320, 240});
    world.set_moment(2026, 12, 24, 17, 30, 60); // the full Moon just risen over Paris
    settle(world);
    const SkyBody& moon = world.sky->bodies()[body_index(Body::moon)];
    const HorizontalPosition airless = equatorial_to_horizontal(world.document.observer, moon.position.ra, moon.position.dec);
    ASSERT_LT(airless.altitude, 20.0);
    ASSERT_GT(airless.altitude, 0.0);
    EXPECT_NEAR(moon.horizontal.altitude - airless.altitude, refraction_deg(airless.altitude), 1e-9);
    EXPECT_GT(moon.horizontal.altitude - airless.altitude, 2.0 / 60.0);
    world.document.refraction = false;
    world.frame();
    EXPECT_NEAR(moon.horizontal.altitude, airless.altitude, 1e-9);
}

TEST(StarsWithTheCatalogue, StarsLowInTheSkyAreLiftedByTheAir)
{
    SkyWorld world(Size{320, 240});
    world.set_moment(2026, 12, 24, 17, 30, 60);
    settle(world);
    // A star between 1° and 3° above the horizon of Paris.
    const double jd_tt = terrestrial_time(world.document.observer.jd);
    const StarRecord* low = nullptr;
    HorizontalPosition airless;
    for (const StarRecord& star : world.sky->catalog().stars) {
        if (!star.valid)
            continue;
        const EquatorialPosition place = apparent_place(star.ra_hours(), star.dec_degrees(), jd_tt);
        airless = equatorial_to_horizontal(world.document.observer, place.ra, place.dec);
        if (airless.altitude > 1.0 && airless.altitude < 3.0) {
            low = &star;
            break;
        }
    }
    ASSERT_NE(low, nullptr);
    world.look(airless.azimuth, airless.altitude, 3.0);
    world.frame();
    const SkyObject object{SkyKind::star, low->id};
    const Point lifted = world.sky->selected_object_point(object).point;
    world.document.refraction = false;
    const Point plain = world.sky->selected_object_point(object).point;
    const double expected_px = world.sky->view().radius() * refraction_deg(airless.altitude) * DEG_TO_RAD;
    EXPECT_GT(expected_px, 5.0);
    EXPECT_NEAR(plain.y - lifted.y, expected_px, 0.1 * expected_px + 1.0) << "HR " << low->id;
    EXPECT_NEAR(plain.x, lifted.x, 1.0);
}

} // namespace stellaro
