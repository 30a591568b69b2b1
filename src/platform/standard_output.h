#pragma once
#include "platform/atomic_file.h"

#include <streambuf>

namespace stellaro {

// Standard output written straight to its descriptor, unbuffered, keeping the first write error
// with its reason: stdio would report a failed write only as a flag, long after the reason is gone.
class StandardOutput final : public std::streambuf {
public:
    // Whether everything written arrived; after a failure later writes are dropped, so that no
    // tail follows a gap.
    FileResult result() const;

protected:
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int_type overflow(int_type c) override;

private:
    int error = 0;
};

// Whether anything written to standard error (through stdio or std::cerr) was lost.
bool standard_error_failed();

} // namespace stellaro
