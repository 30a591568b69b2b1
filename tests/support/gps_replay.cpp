#include "support/gps_replay.h"

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace stellaro {

namespace {

constexpr const char* GPSFAKE = "/usr/bin/gpsfake";

// Waits for the child up to the deadline; true when it ended.
bool reaped(pid_t pid, std::chrono::milliseconds deadline)
{
    const auto until = std::chrono::steady_clock::now() + deadline;
    while (std::chrono::steady_clock::now() < until) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
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

GpsReplay::GpsReplay(const std::string& log_name) : port_(free_tcp_port())
{
    const std::string log = std::string(STELLARO_TEST_DATA) + "/gps/" + log_name;
    child = fork();
    if (child == 0) {
        // A process group of its own, so that its gpsd ends with it.
        setpgid(0, 0);
        execl(GPSFAKE, GPSFAKE, "-q", "-c", "0.05", "-P", port_.c_str(), log.c_str(), static_cast<char*>(nullptr));
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
    if (!reaped(child, std::chrono::seconds(5))) {
        kill(-child, SIGKILL);
        reaped(child, std::chrono::seconds(5));
    }
    // Whatever gpsfake started and left behind in its group.
    kill(-child, SIGKILL);
}

std::string GpsReplay::address() const { return "127.0.0.1:" + port_; }

} // namespace stellaro
