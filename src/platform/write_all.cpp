#include "platform/write_all.h"

#include <unistd.h>

#include <cerrno>

namespace stellaro {

int write_all(int fd, const char* data, size_t size)
{
    size_t done = 0;
    while (done < size) {
        const ssize_t written = ::write(fd, data + done, size - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return errno;
        // Nothing written and no error: the file takes no more.
        if (written == 0)
            return EIO;
        done += static_cast<size_t>(written);
    }
    return 0;
}

} // namespace stellaro
