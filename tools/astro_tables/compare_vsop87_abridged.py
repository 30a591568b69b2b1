#!/usr/bin/python3
"""Compares the apparent places of the Sun and the planets from the abridged VSOP87D series
(as written by make_vsop87_tables.py) with those from the complete series of python3-pymeeus,
both through the same reduction as astro/solar_system.cpp (light time, aberration, FK5,
nutation), and prints the largest differences per body over 1900-2100.

Run: /usr/bin/python3 tools/astro_tables/compare_vsop87_abridged.py [STEP_DAYS]
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_vsop87_tables as tables  # noqa: E402
from pymeeus import Coordinates  # noqa: E402

PLANETS = ["Earth", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune"]
NAMES = ["Sun", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune"]
FIRST_JD = 2415020.5  # 1900 January 1.0
LAST_JD = 2488069.5   # 2100 December 31.0
LIGHT_TIME_PER_AU = 0.0057755183
D2R = math.pi / 180.0


def evaluate(coordinate, tau):
    value = 0.0
    for series in reversed(coordinate):
        value = value * tau + sum(a * math.cos(b + c * tau) for a, b, c in series)
    return value * 1e-8


def heliocentric(theory, jd):
    tau = (jd - 2451545.0) / 365250.0
    return tuple(evaluate(coordinate, tau) for coordinate in theory)  # radians, radians, AU


def rectangular(l, b, r):
    return (r * math.cos(b) * math.cos(l), r * math.cos(b) * math.sin(l), r * math.sin(b))


def nutation(t):
    d = math.radians(297.85036 + 445267.11148 * t - 0.0019142 * t * t + t ** 3 / 189474.0)
    m = math.radians(357.52772 + 35999.05034 * t - 0.0001603 * t * t - t ** 3 / 300000.0)
    mp = math.radians(134.96298 + 477198.867398 * t + 0.0086972 * t * t + t ** 3 / 56250.0)
    f = math.radians(93.27191 + 483202.017538 * t - 0.0036825 * t * t + t ** 3 / 327270.0)
    o = math.radians(125.04452 - 1934.136261 * t + 0.0020708 * t * t + t ** 3 / 450000.0)
    psi = eps = 0.0
    for i, (kd, km, kmp, kf, ko) in enumerate(Coordinates.NUTATION_ARG_TABLE):
        arg = kd * d + km * m + kmp * mp + kf * f + ko * o
        s0, s1 = Coordinates.NUTATION_SINE_COEF_TABLE[i]
        psi += (s0 + s1 * t) * math.sin(arg)
        if i < len(Coordinates.NUTATION_COSINE_COEF_TABLE):
            c0, c1 = Coordinates.NUTATION_COSINE_COEF_TABLE[i]
            eps += (c0 + c1 * t) * math.cos(arg)
    return psi * 1e-4, eps * 1e-4


def mean_obliquity(t):
    u = t / 100.0
    seconds = [-4680.93, -1.55, 1999.25, -51.38, -249.67, -39.05, 7.12, 27.87, 5.79, 2.45]
    return 23.0 + 26.0 / 60.0 + 21.448 / 3600.0 + sum(s / 3600.0 * u ** (k + 1) for k, s in enumerate(seconds))


def apparent_place(earth, planet, index, jd):
    """Apparent (right ascension, declination) in radians of body index (0 Sun) from the series."""
    t = (jd - 2451545.0) / 36525.0
    le, be, re = heliocentric(earth, jd)
    ex, ey, ez = rectangular(le, be, re)
    if index == 0:
        x, y, z = -ex, -ey, -ez
    else:
        previous = heliocentric(planet, jd)
        px, py, pz = rectangular(*previous)
        x, y, z = px - ex, py - ey, pz - ez
        for _ in range(9):
            current = heliocentric(planet, jd - LIGHT_TIME_PER_AU * math.sqrt(x * x + y * y + z * z))
            px, py, pz = rectangular(*current)
            x, y, z = px - ex, py - ey, pz - ez
            if (abs(current[0] - previous[0]) <= 1e-5 * D2R and abs(current[1] - previous[1]) <= 1e-5 * D2R
                    and abs(current[2] - previous[2]) <= 1e-6):
                break
            previous = current
    lam = math.degrees(math.atan2(y, x))
    beta = math.degrees(math.atan2(z, math.hypot(x, y)))
    sun = math.radians(math.degrees(le) + 180.0)
    e = 0.016708634 - 0.000042037 * t - 0.0000001267 * t * t
    pi = math.radians(102.93735 + 1.71946 * t + 0.00046 * t * t)
    l, b = math.radians(lam), math.radians(beta)
    lam += (-math.cos(sun - l) + e * math.cos(pi - l)) * 20.49552 / math.cos(b) / 3600.0
    beta += -(math.sin(sun - l) - e * math.sin(pi - l)) * math.sin(b) * 20.49552 / 3600.0
    lp = math.radians(lam - 1.397 * t - 0.00031 * t * t)
    dl = (-0.09033 + 0.03916 * (math.cos(lp) + math.sin(lp)) * math.tan(math.radians(beta))) / 3600.0
    beta += 0.03916 * (math.cos(lp) - math.sin(lp)) / 3600.0
    lam += dl
    psi, deps = nutation(t)
    lam += psi / 3600.0
    eps = math.radians(mean_obliquity(t) + deps / 3600.0)
    l, b = math.radians(lam), math.radians(beta)
    ra = math.atan2(math.sin(l) * math.cos(eps) - math.tan(b) * math.sin(eps), math.cos(l))
    dec = math.asin(math.sin(b) * math.cos(eps) + math.cos(b) * math.sin(eps) * math.sin(l))
    return ra, dec


def separation(a, b):
    """Angle between two (ra, dec) directions, in arcseconds."""
    cos_d = math.sin(a[1]) * math.sin(b[1]) + math.cos(a[1]) * math.cos(b[1]) * math.cos(a[0] - b[0])
    sin_d = math.hypot(math.cos(b[1]) * math.sin(a[0] - b[0]),
                       math.cos(a[1]) * math.sin(b[1]) - math.sin(a[1]) * math.cos(b[1]) * math.cos(a[0] - b[0]))
    return math.degrees(math.atan2(sin_d, cos_d)) * 3600.0


def main():
    step = float(sys.argv[1]) if len(sys.argv) > 1 else 7.3
    complete = {p: tables.complete_series(p) for p in PLANETS}
    abridged = {p: tables.abridged_series(p) for p in PLANETS}
    print(f"Largest difference, abridged against complete VSOP87D, {FIRST_JD}..{LAST_JD} every {step} days")
    for index, name in enumerate(NAMES):
        planet = PLANETS[index]
        worst, worst_jd = 0.0, FIRST_JD
        jd = FIRST_JD
        while jd <= LAST_JD:
            full = apparent_place(complete["Earth"], complete[planet], index, jd)
            short = apparent_place(abridged["Earth"], abridged[planet], index, jd)
            difference = separation(full, short)
            if difference > worst:
                worst, worst_jd = difference, jd
            jd += step
        print(f"{name:8} {worst:6.2f}\" (at JD {worst_jd:.1f})", flush=True)


if __name__ == "__main__":
    main()
