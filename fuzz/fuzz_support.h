#pragma once
#include "skin/io/input_stream.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace stellaro {

// What every harness shares: a private scratch folder standing in for the user's settings,
// logs and runtime files, so no input ever touches them, and ways to hand the input to readers.

// Points the settings, log and runtime folders at a scratch folder of this process (made on
// the first call, removed at exit) and gives that folder.
const std::string& fuzz_folder();

// Writes the bytes to the one scratch file of this harness and gives its path.
std::string write_scratch_file(const std::string& name, const uint8_t* data, size_t size);

// A data file of the normal build (its program folder), which the seeds also come from.
std::u16string fuzz_data_path(std::u16string_view file);

// A read-only stream over bytes held by the caller, for readers that take any InputStream.
class MemoryStream final : public InputStream {
public:
    MemoryStream(const uint8_t* data, size_t size) : bytes(data), length(size) {}

    size_t read(void* buffer, size_t count) override;
    uint64_t skip(uint64_t count) override;
    bool is_open() const override { return true; }
    uint64_t size() const override { return length; }
    bool seek(uint64_t to) override;
    uint64_t tell() const override { return position; }

private:
    const uint8_t* bytes;
    size_t length;
    size_t position = 0;
};

} // namespace stellaro
