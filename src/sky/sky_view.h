#pragma once
#include "astro/equatorial_vector.h"
#include "sky/sky_matrix.h"

#include <cstdint>
#include <optional>

namespace stellaro {

struct ObserverTime;

// Where the observer looks and how the celestial sphere is laid onto the view. Angles in
// radians; azimuth 0 is north, growing toward east.
struct SkyTarget {
    double azimuth = 0.0;
    double altitude = 0.0;
};

class SkyView {
public:
    static constexpr double MAX_ALTITUDE = 1.57;
    static constexpr double MAX_ZOOM = 3.0;
    // Inertia stops below this speed (pixels per second).
    static constexpr double MIN_SPEED = 5.0;

    // The view size in pixels.
    int32_t w = 0;
    int32_t h = 0;
    double view_azimuth = 0.0;
    double view_altitude = 0.0;
    double zoom = 0.0;
    double azimuth_travel = 0.0; // every azimuth change summed, to scroll the background
    double pan_velocity_x = 0.0; // pixels per second
    double pan_velocity_y = 0.0;
    bool arrived = false; // the view has reached its target and now follows it

    // The sky's vectors are in the catalogue frame (mean equator and equinox of J2000.0); the
    // rotation to the true equator and equinox of the moment is the first step of every sky
    // matrix, so that the stars stand at their places of date at no cost per star.
    Matrix4 catalog_to_date = Matrix4::identity();
    // Catalogue vectors to the horizontal frame (x north, y east, z zenith).
    Matrix4 catalog_to_horizon;
    Matrix4 sky_to_screen;
    // Vectors of the true equatorial frame of date to the screen: the coordinate grid of date.
    Matrix4 date_to_screen;
    Matrix4 horizon_to_screen;
    Matrix4 tilt_to_screen;
    Matrix4 sky_to_horizon_scaled;

    // Dragging the zoom knob down by 50 pixels halves the scale.
    void zoom_by(double pixels);
    // The radius of the view sphere in pixels: h x 2^zoom.
    double radius() const;
    // Turns the view by a pointer movement of (dx, dy) pixels.
    void drag(int32_t dx, int32_t dy);
    // One frame of motion: toward the target when there is one (one radian per second while
    // travelling, locked on once arrived), else the decaying inertia of the pan velocity.
    void step(double dt, const std::optional<SkyTarget>& target);
    // Rebuilds the matrices for the observer's place and moment (UT).
    void rebuild(const ObserverTime& observer);
    // A direction of the horizontal frame (x north, y east, z zenith) in the catalogue frame.
    EquatorialVector catalog_from_horizon(const EquatorialVector& horizontal) const;
    // A catalogue direction in the true equatorial frame of date.
    EquatorialVector date_from_catalog(const EquatorialVector& catalogue) const;
    // A direction of the true equatorial frame of date in the catalogue frame.
    EquatorialVector catalog_from_date(const EquatorialVector& of_date) const;

private:
    void step_inertia(double dt);
    // The frame rotation is the same for the whole of a moment: computed once per moment.
    double frame_jd_ut = -1e300;
    void step_toward(double dt, const SkyTarget& target);
};

} // namespace stellaro
