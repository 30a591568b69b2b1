#include "support/gps_replay.h"

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace stellaro {

namespace {

constexpr const char* GPSFAKE = "/usr/bin/gpsfake";

bool reaped(pid_t pid)
{
    for (int i = 0; i < 250; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

} // namespace

bool GpsReplay::available() { return access(GPSFAKE, X_OK) == 0; }

std::string free_tcp_port()
{
    const int socket_fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    std::string port;
    if (bind(socket_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(socket_fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = std::to_string(ntohs(address.sin_port));
    close(socket_fd);
    return port;
}

GpsReplay::GpsReplay(const std::string& log_name) : port(free_tcp_port())
{
    const std::string log = std::string(STELLARO_TEST_DATA) + "/gps/" + log_name;
    child = fork();
    if (child == 0) {
        // A process group of its own, so that its gpsd can be ended with it.
        setpgid(0, 0);
        execl(GPSFAKE, GPSFAKE, "-q", "-c", "0.05", "-P", port.c_str(), log.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    if (child > 0)
        setpgid(child, child);
}

GpsReplay::~GpsReplay()
{
    if (child <= 0)
        return;
    kill(child, SIGTERM);
    if (!reaped(child)) {
        kill(-child, SIGKILL);
        reaped(child);
    }
    kill(-child, SIGKILL);
}

} // namespace stellaro
