#include "skin/io/file_stream.h"

#include "skin/io/paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>

namespace stellaro {

namespace {

int open_flags(FileStream::Mode mode)
{
    switch (mode) {
    case FileStream::READ:
        return O_RDONLY;
    case FileStream::WRITE:
        return O_WRONLY | O_CREAT | O_TRUNC;
    case FileStream::APPEND:
        return O_WRONLY | O_CREAT;
    case FileStream::READ_WRITE:
        break;
    }
    return O_RDWR | O_CREAT;
}

// Positions beyond what off_t can hold are refused rather than wrapped.
bool fits_offset(uint64_t value)
{
    return value <= static_cast<uint64_t>(std::numeric_limits<off_t>::max());
}

} // namespace

FileStream::FileStream(std::u16string_view path, Mode mode)
{
    open(path, mode);
}

FileStream::~FileStream()
{
    close();
}

FileStream::FileStream(FileStream&& other) noexcept : fd(other.fd)
{
    other.fd = -1;
}

FileStream& FileStream::operator=(FileStream&& other) noexcept
{
    if (this != &other) {
        close();
        fd = other.fd;
        other.fd = -1;
    }
    return *this;
}

bool FileStream::open(std::u16string_view path, Mode mode)
{
    close();
    const std::string name = native_path(path);
    do {
        fd = ::open(name.c_str(), open_flags(mode) | O_CLOEXEC, 0644);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    struct stat status {};
    // A folder opens for reading on Linux but is no file to read.
    if (::fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)) {
        close();
        return false;
    }
    if (mode == APPEND && ::lseek(fd, 0, SEEK_END) < 0) {
        close();
        return false;
    }
    return true;
}

void FileStream::close()
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

size_t FileStream::read(void* buffer, size_t count)
{
    if (!is_open())
        return 0;
    auto* bytes = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < count) {
        const ssize_t got = ::read(fd, bytes + done, count - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<size_t>(got);
    }
    return done;
}

uint64_t FileStream::skip(uint64_t count)
{
    if (!is_open())
        return 0;
    const uint64_t before = tell();
    const uint64_t end = size();
    const uint64_t target = before >= end ? before : before + std::min(count, end - before);
    if (!seek(target))
        return 0;
    return tell() - before;
}

size_t FileStream::write(const void* buffer, size_t count)
{
    if (!is_open())
        return 0;
    const auto* bytes = static_cast<const char*>(buffer);
    size_t done = 0;
    while (done < count) {
        const ssize_t put = ::write(fd, bytes + done, count - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            break;
        done += static_cast<size_t>(put);
    }
    return done;
}

uint64_t FileStream::size() const
{
    if (!is_open())
        return 0;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || status.st_size < 0)
        return 0;
    return static_cast<uint64_t>(status.st_size);
}

bool FileStream::seek(uint64_t position)
{
    if (!is_open() || !fits_offset(position))
        return false;
    return ::lseek(fd, static_cast<off_t>(position), SEEK_SET) >= 0;
}

uint64_t FileStream::tell() const
{
    if (!is_open())
        return 0;
    const off_t position = ::lseek(fd, 0, SEEK_CUR);
    return position < 0 ? 0 : static_cast<uint64_t>(position);
}

size_t FileStream::read_at(uint64_t position, void* buffer, size_t count) const
{
    if (!is_open())
        return 0;
    auto* bytes = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < count && fits_offset(position + done)) {
        const ssize_t got = ::pread(fd, bytes + done, count - done, static_cast<off_t>(position + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<size_t>(got);
    }
    return done;
}

bool FileStream::flush()
{
    return is_open() && ::fsync(fd) == 0;
}

bool read_whole_stream(std::u16string_view path, std::string& bytes, uint64_t max_bytes)
{
    bytes.clear();
    FileStream file(path, FileStream::READ);
    if (!file.is_open())
        return false;
    const uint64_t length = file.size();
    if (length > max_bytes)
        return false;
    bytes.resize(static_cast<size_t>(length));
    if (file.read(bytes.data(), bytes.size()) != bytes.size()) {
        bytes.clear();
        return false;
    }
    return true;
}

} // namespace stellaro
