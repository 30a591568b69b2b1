#include "sky/sky_fixture.h"

#include "astro/angles.h"
#include "astro/julian_date.h"
#include "platform/utf.h"

namespace stellaro {

namespace {

const std::u16string APP_FOLDER = utf8_to_utf16(STELLARO_APP_DIR);

} // namespace

SkyWorld::SkyWorld(Size size, bool night, const std::u16string& data) : document(APP_FOLDER + u"/no-cities.db"), surface(size)
{
    // The kind is registered once for the whole test program.
    static const std::unique_ptr<NodeRegistration> kind = Stars::register_kind();
    document.set_persistent(false);
    document.night_mode = night;
    document.set_location(2.35, 48.85);
    set_moment(2026, 12, 24, 21, 0, 60);
    properties.load_language_file(APP_FOLDER + u"/english.lng");
    EXPECT_TRUE(properties.load_skin(APP_FOLDER + u"/skins/bin/default.skin", 96));
    if (night)
        properties.to_night_colors();
    sky = std::make_unique<Stars>(nullptr, data.empty() ? APP_FOLDER : data);
    // The golden pictures were drawn with twinkle phases made from the star numbers.
    for (StarRecord& star : sky->catalog().stars)
        star.twinkle_phase = (star.id * 389 % 1024) * 16;
    const SkinBlock* main = properties.find_block(u"Main");
    sky->init_from_skin(properties, main && properties.child_count(main) > 0 ? properties.child_block(main, 0) : nullptr);
    sky->set_visible(true);
    sky->set_horizontal(0, size.width);
    sky->set_vertical(0, size.height);
    sky->refresh_projection();
}

void SkyWorld::set_moment(int year, int month, int day, int hour, int minute, int zone_minutes)
{
    document.set_fixed_zone(-zone_minutes);
    document.set_moment(julian_day_from_calendar(year, month, day, true), hour, minute);
}

void SkyWorld::look(double azimuth, double altitude, double zoom)
{
    sky->view().view_azimuth = azimuth * DEG_TO_RAD;
    sky->view().view_altitude = altitude * DEG_TO_RAD;
    sky->view().zoom = zoom;
    sky->refresh_projection();
}

void SkyWorld::frame(double dt)
{
    sky->update(dt);
    sky->draw(surface, Point{0, 0});
}

int settle(SkyWorld& world, int limit)
{
    int frames = 0;
    do
        world.frame();
    while (!world.sky->settled() && ++frames < limit);
    return frames;
}

} // namespace stellaro
