#include "screens/gps_screen.h"
#include "screens/satellite_plot.h"

#include <cmath>
#include <gtest/gtest.h>

namespace stellaro {
namespace {

TEST(GpsScreenState, NewsMapsToTheThreeStates)
{
    GpsSnapshot snapshot;
    EXPECT_EQ(gps_state_of(snapshot), GpsState::NO_GPS);
    snapshot.connected = true;
    EXPECT_EQ(gps_state_of(snapshot), GpsState::NO_POSITION);
    snapshot.fix.kind = GpsFixKind::TWO_D;
    EXPECT_EQ(gps_state_of(snapshot), GpsState::POSITION);
    snapshot.fix.longitude_deg = NAN;
    EXPECT_EQ(gps_state_of(snapshot), GpsState::NO_POSITION) << "a latitude without a longitude is no position";
}

TEST(SkyPlot, NorthIsUpAndEastToTheRight)
{
    const Point centre{100, 200};
    EXPECT_EQ(sky_plot_point(90.0, 123.0, centre, 90), centre) << "overhead is the centre";
    EXPECT_EQ(sky_plot_point(0.0, 0.0, centre, 90), (Point{100, 110}));
    EXPECT_EQ(sky_plot_point(0.0, 90.0, centre, 90), (Point{190, 200}));
    EXPECT_EQ(sky_plot_point(0.0, 180.0, centre, 90), (Point{100, 290}));
    EXPECT_EQ(sky_plot_point(45.0, 270.0, centre, 90), (Point{55, 200})) << "distance grows evenly with the angle";
    EXPECT_EQ(sky_plot_point(-10.0, 0.0, centre, 90), (Point{100, 110})) << "below the horizon stays on its circle";
    EXPECT_EQ(sky_plot_point(NAN, 1e300, centre, 90), (Point{100, 110}));
}

} // namespace
} // namespace stellaro
