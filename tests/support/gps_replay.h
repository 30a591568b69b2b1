#pragma once
#include <string>
#include <sys/types.h>

namespace stellaro {

// A private gpsd fed by gpsfake with a receiver log from the test data folder "gps", on a free
// port; ended with the object.
class GpsReplay {
public:
    static bool available();
    explicit GpsReplay(const std::string& log_name);
    ~GpsReplay();
    GpsReplay(const GpsReplay&) = delete;
    GpsReplay& operator=(const GpsReplay&) = delete;

    const std::string port;
    // "127.0.0.1:PORT", for STELLARO_GPSD.
    std::string address() const { return "127.0.0.1:" + port; }

private:
    pid_t child = -1;
};

// A port nobody listens on right now.
std::string free_tcp_port();

} // namespace stellaro
