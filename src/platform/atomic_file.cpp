#include "platform/atomic_file.h"

#include "platform/user_folders.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace stellaro {

namespace {

bool write_all(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return true;
}

} // namespace

bool write_file_atomically(const std::string& path, const std::string& bytes)
{
    const auto slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash);
    if (slash != std::string::npos && slash > 0 && !make_folders(folder))
        return false;
    const std::string temporary = path + ".tmp-" + std::to_string(getpid());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool written = write_all(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    const int folder_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder_fd >= 0) {
        ::fsync(folder_fd);
        ::close(folder_fd);
    }
    return true;
}

bool read_whole_file(const std::string& path, std::string& bytes, size_t max_bytes)
{
    return read_regular_file(path, bytes, max_bytes) == FileRead::READ;
}

FileRead read_regular_file(const std::string& path, std::string& bytes, size_t max_bytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? FileRead::MISSING : FileRead::UNREADABLE;
    const auto done = [fd](FileRead result) {
        ::close(fd);
        return result;
    };
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return done(FileRead::UNREADABLE);
    if (!S_ISREG(info.st_mode))
        return done(FileRead::NOT_A_FILE);
    if (static_cast<unsigned long long>(info.st_size) > max_bytes)
        return done(FileRead::TOO_LARGE);
    bytes.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return done(FileRead::UNREADABLE);
        if (got == 0)
            return done(FileRead::READ);
        bytes.append(buffer, static_cast<size_t>(got));
        // The file may grow while it is read.
        if (bytes.size() > max_bytes)
            return done(FileRead::TOO_LARGE);
    }
}

bool rename_without_replacing(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system that cannot rename so: a new link fails on a taken name just the same.
    if (::link(from.c_str(), to.c_str()) != 0)
        return false;
    ::unlink(from.c_str());
    return true;
}

} // namespace stellaro
