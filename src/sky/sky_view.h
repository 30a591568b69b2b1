#pragma once
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

    Matrix4 sky_to_screen;
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
    // Rebuilds the four matrices for the observer's place and moment.
    void rebuild(const ObserverTime& observer);

private:
    void step_inertia(double dt);
    void step_toward(double dt, const SkyTarget& target);
};

} // namespace stellaro
