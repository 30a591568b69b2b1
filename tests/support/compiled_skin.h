#pragma once
#include <cstdint>
#include <string>

namespace stellaro {

// Compiled skins for the tests of skins and element kinds, made with the skin compiler from
// source text.

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
void write_bmp565(const std::string& path, int32_t width, int32_t height, uint16_t colour, uint16_t corner);

} // namespace stellaro
