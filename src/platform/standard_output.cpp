#include "platform/standard_output.h"

#include "platform/write_all.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace stellaro {

FileResult StandardOutput::result() const
{
    return error ? FileResult {std::strerror(error)} : FileResult {};
}

std::streamsize StandardOutput::xsputn(const char* text, std::streamsize count)
{
    if (error == 0)
        error = write_all(STDOUT_FILENO, text, static_cast<size_t>(count));
    return error ? 0 : count;
}

StandardOutput::int_type StandardOutput::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    const char byte = traits_type::to_char_type(c);
    return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
}

bool standard_error_failed()
{
    return std::fflush(stderr) != 0 || std::ferror(stderr) != 0;
}

} // namespace stellaro
