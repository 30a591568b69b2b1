#include "platform/single_instance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace stellaro {

namespace {

constexpr size_t MAX_MESSAGE_BYTES = 64 * 1024;
// How long a later start keeps trying to reach a copy that holds the lock but is not yet listening.
constexpr auto CONNECT_PATIENCE = std::chrono::seconds(3);

bool usable_private_folder(const std::string& path)
{
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
        return false;
    if ((info.st_mode & 077) != 0)
        return ::chmod(path.c_str(), 0700) == 0;
    return true;
}

bool socket_address(const std::string& path, sockaddr_un& address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

bool write_all(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t sent = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        done += static_cast<size_t>(sent);
    }
    return true;
}

// Reads until the peer closes, for at most a second and MAX_MESSAGE_BYTES.
std::string read_message(int fd)
{
    std::string bytes;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    char buffer[4096];
    while (bytes.size() <= MAX_MESSAGE_BYTES) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0)
            return {};
        pollfd waiting {fd, POLLIN, 0};
        if (::poll(&waiting, 1, static_cast<int>(left)) <= 0)
            return {};
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return {};
        if (got == 0)
            return bytes;
        bytes.append(buffer, static_cast<size_t>(got));
    }
    return {};
}

} // namespace

std::string encode_command_line(const HandedCommandLine& command_line)
{
    std::string bytes = command_line.working_folder;
    bytes.push_back('\0');
    for (const std::string& argument : command_line.arguments) {
        bytes += argument;
        bytes.push_back('\0');
    }
    return bytes;
}

std::optional<HandedCommandLine> decode_command_line(const std::string& bytes)
{
    if (bytes.empty() || bytes.back() != '\0')
        return std::nullopt;
    HandedCommandLine command_line;
    size_t start = 0;
    bool first = true;
    while (start < bytes.size()) {
        const size_t end = bytes.find('\0', start);
        std::string piece = bytes.substr(start, end - start);
        if (first)
            command_line.working_folder = std::move(piece);
        else
            command_line.arguments.push_back(std::move(piece));
        first = false;
        start = end + 1;
    }
    return command_line;
}

SingleInstance::SingleInstance(const std::string& name) : name(name), folder(runtime_folder()) {}

SingleInstance::~SingleInstance()
{
    if (listen_fd >= 0) {
        ::close(listen_fd);
        ::unlink((folder + "/" + name + ".socket").c_str());
    }
    if (lock_fd >= 0)
        ::close(lock_fd);
}

std::string SingleInstance::runtime_folder()
{
    if (const char* chosen = std::getenv("STELLARO_RUNTIME_DIR"); chosen && *chosen)
        return chosen;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && runtime[0] == '/')
        return std::string(runtime) + "/stellaro";
    return "/tmp/stellaro-" + std::to_string(::getuid());
}

SingleInstance::Outcome SingleInstance::claim(const std::vector<std::string>& arguments)
{
    if (!usable_private_folder(folder))
        return Outcome::UNAVAILABLE;
    lock_fd = ::open((folder + "/" + name + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock_fd < 0)
        return Outcome::UNAVAILABLE;
    if (::flock(lock_fd, LOCK_EX | LOCK_NB) == 0)
        return listen() ? Outcome::OWNER : Outcome::UNAVAILABLE;
    ::close(lock_fd);
    lock_fd = -1;
    return hand_over(arguments) ? Outcome::HANDED_OVER : Outcome::UNAVAILABLE;
}

bool SingleInstance::listen()
{
    sockaddr_un address {};
    const std::string path = folder + "/" + name + ".socket";
    if (!socket_address(path, address))
        return false;
    // The lock proves that whoever made an existing socket is gone.
    ::unlink(path.c_str());
    listen_fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listen_fd < 0)
        return false;
    if (::bind(listen_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(listen_fd, 8) != 0) {
        ::close(listen_fd);
        listen_fd = -1;
        return false;
    }
    return true;
}

bool SingleInstance::hand_over(const std::vector<std::string>& arguments)
{
    sockaddr_un address {};
    if (!socket_address(folder + "/" + name + ".socket", address))
        return false;
    HandedCommandLine command_line;
    char cwd[4096];
    if (::getcwd(cwd, sizeof cwd))
        command_line.working_folder = cwd;
    command_line.arguments = arguments;
    const std::string message = encode_command_line(command_line);
    const auto give_up = std::chrono::steady_clock::now() + CONNECT_PATIENCE;
    while (std::chrono::steady_clock::now() < give_up) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return false;
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
            const bool sent = write_all(fd, message);
            ::close(fd);
            return sent;
        }
        ::close(fd);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

std::vector<HandedCommandLine> SingleInstance::receive()
{
    std::vector<HandedCommandLine> received;
    if (listen_fd < 0)
        return received;
    for (;;) {
        const int fd = ::accept4(listen_fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            break;
        if (auto command_line = decode_command_line(read_message(fd)))
            received.push_back(std::move(*command_line));
        ::close(fd);
    }
    return received;
}

} // namespace stellaro
