#pragma once
#include <span>

namespace stellaro {

// One term of a VSOP87 series: A cos(B + C tau), with tau in Julian millennia from J2000.0.
struct VsopTerm {
    double a, b, c;
};

// The series S0, S1, ... of one coordinate; the coordinate is (S0 + S1 tau + S2 tau^2 + ...) 1e-8,
// radians for L and B, AU for R.
using VsopCoordinate = std::span<const std::span<const VsopTerm>>;

// Heliocentric longitude, latitude and radius vector, ecliptic and equinox of date (VSOP87D).
struct VsopTheory {
    VsopCoordinate l, b, r;
};

// The abridged series: the largest terms of each series of the complete theory.
extern const VsopTheory VSOP87_EARTH;
extern const VsopTheory VSOP87_MERCURY;
extern const VsopTheory VSOP87_VENUS;
extern const VsopTheory VSOP87_MARS;
extern const VsopTheory VSOP87_JUPITER;
extern const VsopTheory VSOP87_SATURN;
extern const VsopTheory VSOP87_URANUS;
extern const VsopTheory VSOP87_NEPTUNE;

} // namespace stellaro
