#include "platform/atomic_file.h"

#include "platform/user_folders.h"
#include "platform/write_all.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace stellaro {

namespace {

// As many links as the kernel itself follows in one path.
constexpr int MAX_LINKS = 40;
// Temporary names tried before giving up on a folder full of leftovers.
constexpr int MAX_TEMPORARY_NAMES = 100;

FileResult failure(int error)
{
    return {std::strerror(error)};
}

std::string folder_of(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// The end of a chain of symbolic links, which need not exist yet; 0 or the error.
int follow_links(std::string& path)
{
    for (int hop = 0; hop < MAX_LINKS; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return 0;
        std::vector<char> target(static_cast<size_t>(info.st_size > 0 ? info.st_size : 4095) + 1);
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0)
            return errno;
        if (static_cast<size_t>(length) >= target.size())
            return ENAMETOOLONG;
        const std::string next(target.data(), static_cast<size_t>(length));
        // A relative target is relative to the link's own folder.
        path = next[0] == '/' || path.find('/') == std::string::npos ? next : folder_of(path) + "/" + next;
    }
    return ELOOP;
}

// Devices, FIFOs and terminals take the bytes as they come; there is nothing to replace.
FileResult write_in_place(const std::string& path, const std::string& bytes)
{
    int fd = -1;
    do
        fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return failure(errno);
    int error = write_all(fd, bytes.data(), bytes.size());
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    return error ? failure(error) : FileResult {};
}

// A new file beside path, made with the sharing's mode (and missing folders with it); -1 with errno set.
int open_temporary(const std::string& path, FileSharing sharing, std::string& temporary)
{
    const mode_t file_mode = sharing == FileSharing::PRIVATE ? 0600 : 0666;
    const unsigned folder_mode = sharing == FileSharing::PRIVATE ? 0700 : 0777;
    bool folders_made = false;
    for (int attempt = 0; attempt < MAX_TEMPORARY_NAMES;) {
        temporary = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, file_mode);
        if (fd >= 0)
            return fd;
        if (errno == ENOENT && !folders_made) {
            if (!make_folders(folder_of(path), folder_mode))
                return -1;
            folders_made = true;
        } else if (errno == EEXIST) {
            ++attempt;
        } else if (errno != EINTR) {
            return -1;
        }
    }
    errno = EEXIST;
    return -1;
}

FileResult replace(const std::string& path, const std::string& bytes, FileSharing sharing)
{
    std::string temporary;
    const int fd = open_temporary(path, sharing, temporary);
    if (fd < 0)
        return failure(errno);
    int error = 0;
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && ::fchmod(fd, existing.st_mode & 07777) != 0)
        error = errno;
    if (error == 0)
        error = write_all(fd, bytes.data(), bytes.size());
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return failure(error);
    }
    const int folder_fd = ::open(folder_of(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder_fd >= 0) {
        ::fsync(folder_fd);
        ::close(folder_fd);
    }
    return {};
}

FileResult too_large(size_t max_bytes)
{
    return {"larger than " + std::to_string(max_bytes) + " bytes", true};
}

} // namespace

std::string followed_path(const std::string& path)
{
    std::string followed = path;
    return follow_links(followed) == 0 ? followed : path;
}

FileResult write_whole_file(const std::string& path, const std::string& bytes, FileSharing sharing)
{
    std::string target = path;
    if (const int error = follow_links(target))
        return failure(error);
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        return write_in_place(target, bytes);
    return replace(target, bytes, sharing);
}

FileResult read_whole_file(const std::string& path, std::string& bytes, size_t max_bytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return failure(errno);
    struct stat info {};
    FileResult result;
    if (::fstat(fd, &info) != 0)
        result = failure(errno);
    else if (S_ISDIR(info.st_mode))
        result = failure(EISDIR);
    else if (S_ISREG(info.st_mode) && static_cast<unsigned long long>(info.st_size) > max_bytes)
        result = too_large(max_bytes);
    bytes.clear();
    char buffer[65536];
    while (result) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            result = failure(errno);
        if (got <= 0)
            break;
        bytes.append(buffer, static_cast<size_t>(got));
        if (bytes.size() > max_bytes)
            result = too_large(max_bytes);
    }
    ::close(fd);
    return result;
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
