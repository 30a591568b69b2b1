#pragma once
#include <cstddef>

namespace stellaro {

// Writes every byte to the descriptor, going on after partial writes and interruptions; 0 when
// all went out, else the error (errno).
int write_all(int fd, const char* data, size_t size);

} // namespace stellaro
