#include "astro/vsop87.h"

#include "astro/angles.h"
#include "astro/julian_date.h"
#include "astro/vsop87_tables.h"

#include <cmath>

namespace stellaro {

namespace {

const VsopTheory& theory(Planet planet)
{
    switch (planet) {
    case Planet::Mercury: return VSOP87_MERCURY;
    case Planet::Venus: return VSOP87_VENUS;
    case Planet::Mars: return VSOP87_MARS;
    case Planet::Jupiter: return VSOP87_JUPITER;
    case Planet::Saturn: return VSOP87_SATURN;
    case Planet::Uranus: return VSOP87_URANUS;
    case Planet::Neptune: return VSOP87_NEPTUNE;
    case Planet::Earth: break;
    }
    return VSOP87_EARTH;
}

// (S0 + S1 tau + S2 tau^2 + ...) 1e-8, the polynomial taken in Horner's form.
double evaluate(VsopCoordinate coordinate, double tau)
{
    double value = 0.0;
    for (auto series = coordinate.rbegin(); series != coordinate.rend(); ++series) {
        double sum = 0.0;
        for (const VsopTerm& term : *series)
            sum += term.a * std::cos(term.b + term.c * tau);
        value = value * tau + sum;
    }
    return value * 1e-8;
}

} // namespace

HeliocentricPosition heliocentric(Planet planet, double jd)
{
    const VsopTheory& series = theory(planet);
    const double tau = julian_millennia(jd);
    HeliocentricPosition result;
    result.longitude = normalize_degrees(evaluate(series.l, tau) * RAD_TO_DEG);
    result.latitude = evaluate(series.b, tau) * RAD_TO_DEG;
    result.radius = evaluate(series.r, tau);
    return result;
}

double sun_geometric_longitude(double jd)
{
    return normalize_degrees(heliocentric(Planet::Earth, jd).longitude + 180.0);
}

double sun_latitude(double jd)
{
    return -heliocentric(Planet::Earth, jd).latitude;
}

} // namespace stellaro
