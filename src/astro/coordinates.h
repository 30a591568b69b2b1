#pragma once

namespace stellaro {

struct ObserverTime;

// Right ascension in hours (0..24) and declination in degrees.
struct EquatorialPosition {
    double ra = 0.0;
    double dec = 0.0;
};

// Azimuth in degrees (0..360) and altitude in degrees, positive above the horizon.
struct HorizontalPosition {
    double azimuth = 0.0;
    double altitude = 0.0;
};

// A small change of ecliptic longitude and latitude, in degrees.
struct EclipticOffset {
    double longitude = 0.0;
    double latitude = 0.0;
};

// Ecliptic longitude, latitude and obliquity in degrees to right ascension and declination.
EquatorialPosition ecliptic_to_equatorial(double longitude, double latitude, double obliquity);

// Hour angle in hours, declination and latitude in degrees; the azimuth is counted from the south
// towards the west.
HorizontalPosition equatorial_to_horizontal_south(double hour_angle, double dec, double latitude);

// Right ascension in hours and declination in degrees, seen by the observer; the azimuth is
// counted from the north through the east.
HorizontalPosition equatorial_to_horizontal(const ObserverTime& observer, double ra, double dec);

// Annual aberration of a body at the given ecliptic place (degrees) at jd.
EclipticOffset aberration(double longitude, double latitude, double jd);
// The same with the Sun's geometric longitude at jd already known.
EclipticOffset aberration(double longitude, double latitude, double jd, double sun_longitude);

// Reduction of a VSOP87 place to the FK5 frame, in degrees.
double fk5_longitude_correction(double longitude, double latitude, double jd);
double fk5_latitude_correction(double longitude, double jd);

} // namespace stellaro
