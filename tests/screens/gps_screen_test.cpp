// The GPS screen's parts that need no receiver: the state of a poller's news and the sky plot's
// geometry.
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
    snapshot.fix.latitude_deg = 48.1;
    snapshot.fix.longitude_deg = 11.5;
    EXPECT_EQ(gps_state_of(snapshot), GpsState::POSITION);
    snapshot.fix.longitude_deg = NAN;
    EXPECT_EQ(gps_state_of(snapshot), GpsState::NO_POSITION) << "a latitude without a longitude is no position";
    snapshot.fix.longitude_deg = 11.5;
    snapshot.connected = false;
    EXPECT_EQ(gps_state_of(snapshot), GpsState::NO_GPS);
}

TEST(SkyPlot, NorthIsUpAndEastToTheRight)
{
    const Point centre{100, 200};
    EXPECT_EQ(sky_plot_point(90.0, 123.0, centre, 90), centre) << "overhead is the centre";
    EXPECT_EQ(sky_plot_point(0.0, 0.0, centre, 90), (Point{100, 110}));
    EXPECT_EQ(sky_plot_point(0.0, 90.0, centre, 90), (Point{190, 200}));
    EXPECT_EQ(sky_plot_point(0.0, 180.0, centre, 90), (Point{100, 290}));
    EXPECT_EQ(sky_plot_point(0.0, 270.0, centre, 90), (Point{10, 200}));
    EXPECT_EQ(sky_plot_point(45.0, 90.0, centre, 90), (Point{145, 200})) << "distance grows evenly with the angle";
    EXPECT_EQ(sky_plot_point(-10.0, 0.0, centre, 90), (Point{100, 110})) << "below the horizon stays on its circle";
}

TEST(SkyPlot, DescribesTheSatellitesItShows)
{
    SatellitePlot plot;
    plot.set_satellites({{9, 80.0, 210.0, 47.0, true}, {29, 10.0, 330.0, -1.0, false}});
    ElementState state;
    plot.describe(state);
    EXPECT_EQ(state.text, u"9* 29");
}

} // namespace
} // namespace stellaro
