#pragma once
#include "skin/surface/pixel.h"

#include <cstdint>
#include <string>

namespace stellaro {

// Helpers shared by the skin tests: compiled skins made with the skin compiler from source text.

// The compiler built beside the program.
std::string skin_compiler();

struct CompilerRun {
    int status = -1;
    std::string err;
};
// Runs the compiler with the arguments (already quoted as needed).
CompilerRun run_skin_compiler(const std::string& arguments);

// Writes source text to folder/name.sks and compiles it to folder/name.skin; the skin's path,
// or empty when the compiler failed (the failure is reported to the test).
std::string compile_skin(const std::string& folder, const std::string& name, const std::string& source);

// Writes a 16-bit BMP of one colour (top-left pixel marked with `corner`).
void write_bmp565(const std::string& path, int32_t width, int32_t height, Pixel colour, Pixel corner);

} // namespace stellaro
