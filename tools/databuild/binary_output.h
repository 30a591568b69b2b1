#pragma once
#include <cstdint>
#include <string>

namespace stellaro {

// Little-endian integers and the length-prefixed UTF-16 strings of the program's binary files.
void put_le(std::string& out, int64_t value, int bytes);
// One signed length byte for lengths up to 127, else -4 and a four-byte length; then the code units.
void put_prefixed_string(std::string& out, const std::u16string& text);

// Writes a file so that it is either complete or absent; reports failure on stderr.
bool write_output(const std::string& path, const std::string& bytes);

} // namespace stellaro
