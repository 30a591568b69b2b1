#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace stellaro {

// One satellite in the receiver's view.
struct GpsSatellite {
    int32_t prn = 0;
    double elevation_deg = 0.0;
    double azimuth_deg = 0.0;
    double signal_db = -1.0; // below 0 when the receiver gives no signal strength
    bool used = false;       // part of the position solution
};

// How much of a position the receiver has.
enum class GpsFixKind { NONE, TWO_D, THREE_D };

// What the receiver last told: its fix and its sky view.
struct GpsFix {
    GpsFixKind kind = GpsFixKind::NONE;
    double latitude_deg = 0.0;
    double longitude_deg = 0.0;
    double altitude_m = 0.0; // meaningful only for a three-dimensional fix
    int32_t satellites_used = 0;
    std::vector<GpsSatellite> satellites;

    // A fix with a latitude and longitude that lie on the Earth.
    bool has_position() const;
};

// The most satellites a sky view shows.
constexpr size_t MAX_SHOWN_SATELLITES = 12;

// The receiver's fix mode (0 not seen yet, 1 no fix, 2 two-dimensional, 3 three-dimensional);
// any other value is no fix.
GpsFixKind fix_kind_of_mode(int mode);

// The satellites that can be drawn (known, sane elevation and azimuth), strongest signal first
// (ties by number), at most `count`. A signal that is not a number becomes "unknown" (-1).
std::vector<GpsSatellite> strongest_satellites(std::vector<GpsSatellite> satellites, size_t count = MAX_SHOWN_SATELLITES);

// Where gpsd listens.
struct GpsdAddress {
    std::string host;
    std::string port;
};

// The default, gpsd on this machine at its registered port.
GpsdAddress default_gpsd_address();

// "host:port" ("[v6-address]:port" for IPv6 literals); nothing when the text is not of that form
// or the port is not a number from 1 to 65535.
std::optional<GpsdAddress> parse_gpsd_address(const std::string& text);

// The address in STELLARO_GPSD, the default when it is unset or empty; nothing when it is set
// to something that is not an address.
std::optional<GpsdAddress> gpsd_address_from_environment();

} // namespace stellaro
