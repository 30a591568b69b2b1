#include "platform/gps_link.h"

#include <cmath>
#include <dlfcn.h>
#include <gps.h>

namespace stellaro {

namespace {

// The library's entry points, looked up by name; all null when it or any of them is missing.
struct GpsFunctions {
    int (*open)(const char*, const char*, gps_data_t*) = nullptr;
    int (*close)(gps_data_t*) = nullptr;
    int (*stream)(gps_data_t*, unsigned int, void*) = nullptr;
    bool (*waiting)(const gps_data_t*, int) = nullptr;
    int (*read)(gps_data_t*, char*, int) = nullptr;

    bool complete() const { return open && close && stream && waiting && read; }
};

template <typename Function>
void look_up(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
}

// Loaded once and kept for the life of the process: unloading while a link might still exist
// in another thread would gain nothing.
const GpsFunctions& functions()
{
    static const GpsFunctions loaded = [] {
        GpsFunctions found;
        void* library = dlopen(GpsLink::LIBRARY, RTLD_NOW | RTLD_LOCAL);
        if (!library)
            return found;
        look_up(library, "gps_open", found.open);
        look_up(library, "gps_close", found.close);
        look_up(library, "gps_stream", found.stream);
        look_up(library, "gps_waiting", found.waiting);
        look_up(library, "gps_read", found.read);
        if (!found.complete()) {
            dlclose(library);
            return GpsFunctions{};
        }
        return found;
    }();
    return loaded;
}

} // namespace

struct GpsLink::State {
    gps_data_t data{};
};

bool GpsLink::library_available() { return functions().complete(); }

std::unique_ptr<GpsLink> GpsLink::connect(const GpsdAddress& address)
{
    const GpsFunctions& gps = functions();
    if (!gps.complete())
        return nullptr;
    auto state = std::make_unique<State>();
    if (gps.open(address.host.c_str(), address.port.c_str(), &state->data) != 0)
        return nullptr;
    if (gps.stream(&state->data, WATCH_ENABLE | WATCH_JSON, nullptr) < 0) {
        gps.close(&state->data);
        return nullptr;
    }
    return std::unique_ptr<GpsLink>(new GpsLink(std::move(state)));
}

GpsLink::GpsLink(std::unique_ptr<State> state) : state(std::move(state)) {}

GpsLink::~GpsLink() { functions().close(&state->data); }

GpsLink::Read GpsLink::read(int timeout_ms)
{
    const GpsFunctions& gps = functions();
    if (!gps.waiting(&state->data, timeout_ms * 1000))
        return Read::NOTHING;
    // gps_read returns -1 on a closed or failed connection; a report that does not parse
    // leaves the data as it was.
    if (gps.read(&state->data, nullptr, 0) < 0)
        return Read::CLOSED;
    return Read::NEW_DATA;
}

GpsFix GpsLink::fix() const
{
    const gps_data_t& data = state->data;
    GpsFix fix;
    fix.kind = fix_kind_of_mode(data.fix.mode);
    fix.latitude_deg = data.fix.latitude;
    fix.longitude_deg = data.fix.longitude;
    fix.altitude_m = std::isfinite(data.fix.altMSL) ? data.fix.altMSL : 0.0;
    fix.satellites_used = data.satellites_used;
    const int visible = data.satellites_visible;
    for (int i = 0; i < visible && i < MAXCHANNELS; ++i) {
        const satellite_t& seen = data.skyview[i];
        fix.satellites.push_back({seen.PRN, seen.elevation, seen.azimuth, seen.ss, seen.used});
    }
    return fix;
}

} // namespace stellaro
