#include "binary_output.h"

#include "platform/atomic_file.h"

#include <iostream>

namespace stellaro {

bool write_output(const std::string& path, const std::string& bytes)
{
    if (const FileResult written = write_whole_file(path, bytes, FileSharing::SHARED); !written) {
        std::cerr << path << ": cannot be written: " << written.reason << "\n";
        return false;
    }
    return true;
}

} // namespace stellaro
