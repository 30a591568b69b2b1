#!/usr/bin/python3
"""Independent apparent places of catalogue stars, to check the program's precession, nutation
and aberration against (run once; the figures go into the tests with their tolerances).

Needs Debian's python3-erfa (IAU 2006 precession, IAU 2000A nutation, full aberration with light
deflection) and a built stellaro. Prints, for sample stars and years, the program's apparent
place (`ephemeris --star --csv`) beside ERFA's and the separation in arcseconds, then the largest
separation over 1800-2200 and over 0-3999. Stars are taken as the catalogue stores them (whole
tenths of a second of time and whole arcseconds), without proper motion, as the program uses
them. Usage: reference_star_places.py path/to/stellaro [path/to/stars.tsv]
"""
import csv
import math
import subprocess
import sys

import erfa

STARS = [424, 2491, 6134, 7001, 1708, 5340, 7557, 472, 8728, 3982]


def catalogue_place(stars_tsv, hr):
    with open(stars_tsv, encoding="utf-8") as f:
        for row in csv.DictReader(f, delimiter="\t"):
            if int(row["hr"]) == hr:
                ra_units = round(float(row["ra_deg"]) * 2400.0) % 864000
                dec_units = round(float(row["dec_deg"]) * 3600.0)
                return ra_units / 36000.0, dec_units / 3600.0
    raise KeyError(hr)


def erfa_apparent(ra_hours, dec_deg, jd_tt):
    """Geocentric apparent right ascension (hours, equinox based) and declination of date."""
    ri, di, eo = erfa.atci13(math.radians(ra_hours * 15.0), math.radians(dec_deg), 0.0, 0.0, 0.0, 0.0, jd_tt, 0.0)
    return erfa.anp(ri - eo) * 12.0 / math.pi, math.degrees(di)


def separation_arcsec(a, b):
    return math.degrees(erfa.seps(a[0] * math.pi / 12.0, math.radians(a[1]), b[0] * math.pi / 12.0, math.radians(b[1]))) * 3600.0


def program_places(stellaro, jd_ut, stars):
    args = [stellaro, "ephemeris", "--csv", "--lat", "0", "--lon", "0", "--jd", "%.6f" % jd_ut]
    for hr in stars:
        args += ["--star", str(hr)]
    out = subprocess.run(args, capture_output=True, text=True, check=True).stdout
    places = {}
    for line in out.splitlines():
        if line.startswith("HR "):
            fields = line.split(",")
            places[int(fields[0][3:])] = (float(fields[1]), float(fields[2]))
    return places, out


def delta_t_days(stellaro, jd_ut):
    out = subprocess.run([stellaro, "ephemeris", "--lat", "0", "--lon", "0", "--jd", "%.6f" % jd_ut], capture_output=True,
                         text=True, check=True).stdout
    return float(out.split("delta T ")[1].split(" s")[0]) / 86400.0


def main():
    stellaro = sys.argv[1]
    stars_tsv = sys.argv[2] if len(sys.argv) > 2 else "data/sources/stars.tsv"
    catalogue = {hr: catalogue_place(stars_tsv, hr) for hr in STARS}
    worst = {"1800-2200": 0.0, "0-3999": 0.0}
    for year in list(range(0, 4000, 250)) + list(range(1800, 2201, 25)):
        jd_ut = 2451545.0 + (year - 2000) * 365.25
        jd_tt = jd_ut + delta_t_days(stellaro, jd_ut)
        places, _ = program_places(stellaro, jd_ut, STARS)
        for hr in STARS:
            reference = erfa_apparent(*catalogue[hr], jd_tt)
            sep = separation_arcsec(places[hr], reference)
            span = "1800-2200" if 1800 <= year <= 2200 else "0-3999"
            worst[span] = max(worst[span], sep)
            if 1800 <= year <= 2200:
                worst["0-3999"] = max(worst["0-3999"], sep)
            print("%5d HR %5d program %.7f %+.6f  erfa %.7f %+.6f  %.3f\"" % (year, hr, *places[hr], *reference, sep))
    print("largest separation 1800-2200: %.3f\"" % worst["1800-2200"])
    print("largest separation 0-3999:    %.3f\"" % worst["0-3999"])

    # Precession alone by the long-term model (ERFA's implementation of Vondrak et al. 2011),
    # for the tests: Vega's J2000 catalogue place to the mean equator and equinox of the years.
    vega = catalogue[7001]
    v = erfa.s2c(math.radians(vega[0] * 15.0), math.radians(vega[1]))
    for year in (0.0, 1000.0, 2000.0, 3000.0):
        rp = erfa.ltp(year)
        ra, dec = erfa.c2s(rp @ v)
        print("Vega mean place of date, epoch %6.1f: ra %.8f h dec %+.7f deg" % (year, erfa.anp(ra) * 12 / math.pi, math.degrees(dec)))


if __name__ == "__main__":
    main()
