#pragma once
#include <string>
#include <sys/types.h>

namespace stellaro {

// A private gpsd fed by gpsfake with a receiver log from the test data, on a free port; ended
// with the object. Tests skip when gpsfake is not installed.
class GpsReplay {
public:
    // Whether gpsfake can be run here.
    static bool available();
    // The log's name in the test data folder "gps" (e.g. "fix_3d.nmea").
    explicit GpsReplay(const std::string& log_name);
    ~GpsReplay();
    GpsReplay(const GpsReplay&) = delete;
    GpsReplay& operator=(const GpsReplay&) = delete;

    // "127.0.0.1:PORT", for STELLARO_GPSD.
    std::string address() const;
    std::string port() const { return port_; }

private:
    std::string port_;
    pid_t child = -1;
};

// A port nobody listens on right now, from the kernel's ephemeral range.
std::string free_tcp_port();

} // namespace stellaro
