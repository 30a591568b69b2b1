#!/usr/bin/python3
"""The program's topocentric Moon against a reference CSV (see moon_reference.mjs): prints the
separation statistics in arcseconds. Usage: compare_moon.py path/to/stellaro moon_reference.csv"""
import csv
import math
import subprocess
import sys


def separation_arcsec(ra1, dec1, ra2, dec2):
    a1, d1, a2, d2 = math.radians(ra1 * 15), math.radians(dec1), math.radians(ra2 * 15), math.radians(dec2)
    c = math.sin(d1) * math.sin(d2) + math.cos(d1) * math.cos(d2) * math.cos(a1 - a2)
    s = math.hypot(math.cos(d2) * math.sin(a1 - a2), math.cos(d1) * math.sin(d2) - math.sin(d1) * math.cos(d2) * math.cos(a1 - a2))
    return math.degrees(math.atan2(s, c)) * 3600.0


def main():
    stellaro, reference = sys.argv[1], sys.argv[2]
    seps = []
    with open(reference) as f:
        for row in csv.DictReader(f):
            out = subprocess.run([stellaro, "ephemeris", "--csv", "--jd", row["jd_ut"], "--lat", row["latitude"], "--lon",
                                  row["longitude"]], capture_output=True, text=True, check=True).stdout
            moon = next(line for line in out.splitlines() if line.startswith("Moon,")).split(",")
            seps.append((separation_arcsec(float(moon[6]), float(moon[7]), float(row["ra_hours"]), float(row["dec_degrees"])),
                         row["jd_ut"]))
    seps.sort()
    values = [s for s, _ in seps]
    rms = math.sqrt(sum(v * v for v in values) / len(values))
    print("moments %d  rms %.2f\"  median %.2f\"  95%% %.2f\"  largest %.2f\" (jd %s)" %
          (len(values), rms, values[len(values) // 2], values[int(len(values) * 0.95)], values[-1], seps[-1][1]))


if __name__ == "__main__":
    main()
