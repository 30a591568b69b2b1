#pragma once
#include "astro/equatorial_vector.h"
#include "sky/sky_matrix.h"

namespace stellaro {

class SkyView;

// Lifts catalogue directions by the air's refraction as they are drawn. Exact where the lift
// moves a point by a visible fraction of a pixel; above that altitude the point is drawn
// through the plain matrix, so the stars high in the sky cost nothing more.
class RefractionLift {
public:
    // For the view as last rebuilt; off when refraction is switched off.
    void prepare(const SkyView& view, bool on);
    // The sine of a catalogue direction's airless altitude.
    double sin_altitude(const EquatorialVector& catalogue) const;
    // Whether a point at that airless altitude is drawn lifted.
    bool needed(double sin_altitude) const { return on_ && sin_altitude < limit_sin && sin_altitude > FLOOR_SIN; }
    // Whether a point at that airless altitude is drawn below the horizon.
    bool below_horizon(double sin_altitude) const;
    // The screen point of a catalogue direction, lifted when needed.
    ScreenPoint screen_point(const EquatorialVector& catalogue) const;

private:
    // Below -2° the refraction has faded to nothing.
    static constexpr double FLOOR_SIN = -0.0348995;

    const SkyView* view = nullptr;
    bool on_ = false;
    double limit_sin = -1.0;
};

} // namespace stellaro
