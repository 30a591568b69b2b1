// Topocentric apparent places of date of the Moon from Astronomy Engine (npm `astronomy-engine`),
// an independent lunar theory, at UT moments over 1900-2100 from places over the Earth, as CSV
// lines: jd_ut,latitude,longitude,ra_hours,dec_degrees. Run once from a folder where the package
// is installed: node moon_reference.mjs > moon_reference.csv
import * as Astronomy from "astronomy-engine";

const places = [[-33.9249, 18.4241], [51.4769, -0.0005], [35.68, 139.69], [64.15, -21.94], [-54.8, -68.3], [0, 0]];
console.log("jd_ut,latitude,longitude,ra_hours,dec_degrees");
for (let i = 0; i < 600; ++i) {
    // 1900-01-01 to 2100: steps of 121.77 days, so that the moments fall at every hour and phase.
    const jd = 2415020.5 + i * 121.7711;
    const [lat, lon] = places[i % places.length];
    const time = Astronomy.MakeTime(new Date(Date.UTC(2000, 0, 1, 12) + (jd - 2451545.0) * 86400000));
    const observer = new Astronomy.Observer(lat, lon, 0);
    const eq = Astronomy.Equator(Astronomy.Body.Moon, time, observer, true, true);
    console.log(`${jd.toFixed(6)},${lat},${lon},${eq.ra.toFixed(9)},${eq.dec.toFixed(8)}`);
}
