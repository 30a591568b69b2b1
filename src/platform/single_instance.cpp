#include "platform/single_instance.h"

#include "platform/user_folders.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace stellaro {

namespace {

constexpr size_t MAX_MESSAGE_BYTES = 64 * 1024;
// How long a later start keeps trying to reach a copy that holds the lock but is not yet listening.
constexpr auto CONNECT_PATIENCE = std::chrono::seconds(3);

// Why the folder cannot hold the lock and the socket, or empty when it can: it must be a real
// folder of this user's that no one else can enter.
std::string private_folder_problem(const std::string& path)
{
    if (const size_t slash = path.find_last_of('/'); slash != std::string::npos && slash > 0)
        make_folders(path.substr(0, slash));
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return std::string("it cannot be made: ") + std::strerror(errno);
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return std::strerror(errno);
    if (S_ISLNK(info.st_mode))
        return "it is a symbolic link";
    if (!S_ISDIR(info.st_mode))
        return "it is not a folder";
    if (info.st_uid != ::getuid())
        return "it belongs to another user";
    if ((info.st_mode & 077) != 0 && ::chmod(path.c_str(), 0700) != 0)
        return std::string("others may enter it and it cannot be closed to them: ") + std::strerror(errno);
    return {};
}

// Why something in place of the socket would stop a start, or empty.
std::string socket_problem(const std::string& path)
{
    sockaddr_un address {};
    if (path.size() >= sizeof address.sun_path)
        return "its path is too long for a socket";
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && !S_ISSOCK(info.st_mode))
        return "something else than a socket is in place of " + path;
    return {};
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

SingleInstance::SingleInstance(const std::string& name) : name(name) {}

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

std::string SingleInstance::fallback_folder()
{
    const std::string cache = cache_folder();
    return cache.empty() ? std::string() : cache + "/stellaro/run";
}

std::string SingleInstance::take_folder(const std::string& candidate)
{
    if (candidate.empty())
        return "there is no such folder (no home folder is known)";
    if (std::string problem = private_folder_problem(candidate); !problem.empty())
        return problem;
    if (std::string problem = socket_problem(candidate + "/" + name + ".socket"); !problem.empty())
        return problem;
    // Not through a symbolic link, and nothing but a file: a folder there would take no lock.
    const std::string lock = candidate + "/" + name + ".lock";
    lock_fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (lock_fd < 0)
        return "its lock " + lock + " cannot be opened: " + std::strerror(errno);
    struct stat info {};
    if (::fstat(lock_fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(lock_fd);
        lock_fd = -1;
        return "its lock " + lock + " is not a file";
    }
    folder = candidate;
    return {};
}

SingleInstance::Outcome SingleInstance::claim(const std::vector<std::string>& arguments)
{
    const std::string first = runtime_folder();
    const std::string problem = take_folder(first);
    if (!problem.empty()) {
        const std::string fallback = fallback_folder();
        const std::string fallback_problem = fallback == first ? problem : take_folder(fallback);
        if (!fallback_problem.empty()) {
            std::fprintf(stderr,
                         "stellaro: the runtime folder %s cannot be used (%s), nor %s (%s): this copy does not look for "
                         "another one\n",
                         first.c_str(), problem.c_str(), fallback.c_str(), fallback_problem.c_str());
            return Outcome::UNAVAILABLE;
        }
        std::fprintf(stderr, "stellaro: the runtime folder %s cannot be used (%s); %s is used instead\n", first.c_str(),
                     problem.c_str(), fallback.c_str());
    }
    if (::flock(lock_fd, LOCK_EX | LOCK_NB) == 0) {
        if (listen())
            return Outcome::OWNER;
        std::fprintf(stderr, "stellaro: cannot listen for later starts in %s (%s): they will open windows of their own\n",
                     folder.c_str(), std::strerror(errno));
        return Outcome::UNAVAILABLE;
    }
    ::close(lock_fd);
    lock_fd = -1;
    if (hand_over(arguments))
        return Outcome::HANDED_OVER;
    std::fprintf(stderr, "stellaro: another copy holds the lock in %s but does not answer: this one runs on its own\n",
                 folder.c_str());
    return Outcome::UNAVAILABLE;
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
