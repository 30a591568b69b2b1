#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

namespace stellaro {

// Where log text goes: nowhere, or the log file.
class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void write(const char16_t* begin, const char16_t* end) = 0;
    virtual void flush() = 0;
};

// What log() hands out: text inserted into it is collected and given to the sink in one piece
// when it goes out of scope, so lines from different threads do not interleave.
class LogStream {
public:
    explicit LogStream(std::shared_ptr<LogSink> sink);
    LogStream(const LogStream&) = delete;
    LogStream& operator=(const LogStream&) = delete;
    ~LogStream();

    bool enabled() const { return sink != nullptr; }
    // Writes what was collected and flushes the sink to storage.
    void flush();

    LogStream& operator<<(std::u16string_view text);
    LogStream& operator<<(const char16_t* text) { return *this << std::u16string_view(text ? text : u""); }
    LogStream& operator<<(const std::u16string& text) { return *this << std::u16string_view(text); }
    // Narrow text is taken as UTF-8.
    LogStream& operator<<(std::string_view text);
    LogStream& operator<<(const char* text) { return *this << std::string_view(text ? text : ""); }
    LogStream& operator<<(const std::string& text) { return *this << std::string_view(text); }
    LogStream& operator<<(char16_t c) { return *this << std::u16string_view(&c, 1); }
    LogStream& operator<<(double number);
    template <typename T>
        requires std::is_integral_v<T> && (!std::is_same_v<T, char>) && (!std::is_same_v<T, char16_t>) && (!std::is_same_v<T, bool>)
    LogStream& operator<<(T number)
    {
        if (sink)
            append_integer(static_cast<long long>(number), std::is_unsigned_v<T>);
        return *this;
    }
    LogStream& operator<<(bool value) { return *this << (value ? "true" : "false"); }

private:
    void append_integer(long long number, bool is_unsigned);

    std::shared_ptr<LogSink> sink;
    std::u16string text;
};

// The diagnostic log. It is on while the registry value "Log" under
// "HKEY_CURRENT_USER\Software\Vendrix" is non-zero or STELLARO_LOG=1; the file is
// "%app_name%.txt" in $XDG_STATE_HOME/stellaro, started afresh whenever logging is turned on.
// Callable from any thread.
LogStream log();

// The log file's path (UTF-8) for the running program.
std::string log_file_path();

// Writes "Gluck: <message> @ <where>" to the log and to stderr, and ends the process with a
// failure status.
[[noreturn]] void fatal(std::u16string_view message, std::u16string_view where);

} // namespace stellaro
