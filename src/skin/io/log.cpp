#include "skin/io/log.h"

#include "platform/user_folders.h"
#include "platform/utf.h"
#include "skin/io/paths.h"
#include "skin/io/registry.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace stellaro {

namespace {

class NullSink final : public LogSink {
public:
    void write(const char16_t*, const char16_t*) override {}
    void flush() override {}
};

// The log file, written as UTF-8. A file that cannot be created leaves a sink whose writes
// transfer nothing; the program runs on.
class FileSink final : public LogSink {
public:
    explicit FileSink(const std::string& path)
    {
        const auto slash = path.find_last_of('/');
        if (slash != std::string::npos)
            make_folders(path.substr(0, slash));
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    }
    ~FileSink() override
    {
        if (fd >= 0)
            ::close(fd);
    }

    void write(const char16_t* begin, const char16_t* end) override
    {
        const std::string bytes = utf16_to_utf8(std::u16string_view(begin, static_cast<size_t>(end - begin)));
        std::lock_guard lock(mutex);
        size_t done = 0;
        while (fd >= 0 && done < bytes.size()) {
            const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                break;
            done += static_cast<size_t>(written);
        }
    }

    void flush() override
    {
        std::lock_guard lock(mutex);
        if (fd >= 0)
            ::fsync(fd);
    }

private:
    std::mutex mutex;
    int fd = -1;
};

bool logging_wanted()
{
    if (const char* forced = std::getenv("STELLARO_LOG"); forced && forced[0] == '1')
        return true;
    bool on = false;
    return reg_get_bool(VENDOR_KEY, u"Log", on) && on;
}

struct CurrentSink {
    std::mutex mutex;
    std::shared_ptr<LogSink> sink;
    bool is_file = false;
};

CurrentSink& current()
{
    static CurrentSink instance;
    return instance;
}

} // namespace

LogStream::LogStream(std::shared_ptr<LogSink> sink) : sink(std::move(sink)) {}

LogStream::~LogStream()
{
    if (sink && !text.empty())
        sink->write(text.data(), text.data() + text.size());
}

void LogStream::flush()
{
    if (!sink)
        return;
    if (!text.empty())
        sink->write(text.data(), text.data() + text.size());
    text.clear();
    sink->flush();
}

LogStream& LogStream::operator<<(std::u16string_view piece)
{
    if (sink)
        text += piece;
    return *this;
}

LogStream& LogStream::operator<<(std::string_view piece)
{
    if (sink)
        text += utf8_to_utf16(piece);
    return *this;
}

LogStream& LogStream::operator<<(double number)
{
    if (sink) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.6g", number);
        *this << std::string_view(buffer);
    }
    return *this;
}

void LogStream::append_integer(long long number, bool is_unsigned)
{
    char buffer[32];
    if (is_unsigned)
        std::snprintf(buffer, sizeof buffer, "%llu", static_cast<unsigned long long>(number));
    else
        std::snprintf(buffer, sizeof buffer, "%lld", number);
    *this << std::string_view(buffer);
}

std::string log_file_path()
{
    const std::string folder = state_folder();
    const std::string name = native_path(u"%app_name%.txt");
    return (folder.empty() ? std::string(".") : folder + "/stellaro") + "/" + name;
}

LogStream log()
{
    const bool wanted = logging_wanted();
    CurrentSink& state = current();
    std::lock_guard lock(state.mutex);
    if (!state.sink || state.is_file != wanted) {
        if (wanted)
            state.sink = std::make_shared<FileSink>(log_file_path());
        else
            state.sink = std::make_shared<NullSink>();
        state.is_file = wanted;
    }
    return LogStream(state.is_file ? state.sink : nullptr);
}

void fatal(std::u16string_view message, std::u16string_view where)
{
    {
        LogStream stream = log();
        stream << u"Gluck: " << message << u" @ " << where << u"\n";
        stream.flush();
    }
    std::fprintf(stderr, "Gluck: %s @ %s\n", utf16_to_utf8(message).c_str(), utf16_to_utf8(where).c_str());
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

} // namespace stellaro
