#include "skin_test_support.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <vector>

namespace stellaro {

std::string skin_compiler() { return STELLARO_APP_DIR "/../tools/skinc/stellaro_skinc"; }

CompilerRun run_skin_compiler(const std::string& arguments)
{
    TemporaryFolder folder;
    const std::string err_file = folder.file("err");
    const std::string command = skin_compiler() + " " + arguments + " >/dev/null 2>" + err_file;
    const int raw = std::system(command.c_str());
    CompilerRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.err = read_file(err_file);
    return run;
}

std::string compile_skin(const std::string& folder, const std::string& name, const std::string& source)
{
    const std::string source_path = folder + "/" + name + ".sks";
    const std::string skin_path = folder + "/" + name + ".skin";
    write_file(source_path, source);
    const CompilerRun run = run_skin_compiler("compile '" + source_path + "' '" + skin_path + "'");
    EXPECT_EQ(run.status, 0) << run.err;
    return run.status == 0 ? skin_path : std::string();
}

void write_bmp565(const std::string& path, int32_t width, int32_t height, Pixel colour, Pixel corner)
{
    const uint32_t row = ((16 * static_cast<uint32_t>(width) + 31) / 32) * 4;
    const uint32_t data = row * static_cast<uint32_t>(height);
    std::vector<uint8_t> bytes(54 + data, 0);
    const auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, static_cast<uint32_t>(bytes.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(-height)); // top-down rows
    bytes[26] = 1;
    bytes[28] = 16;
    put32(34, data);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const Pixel p = x == 0 && y == 0 ? corner : colour;
            const size_t at = 54 + y * row + 2 * x;
            bytes[at] = static_cast<uint8_t>(p);
            bytes[at + 1] = static_cast<uint8_t>(p >> 8);
        }
    }
    write_file(path, std::string(bytes.begin(), bytes.end()));
}

} // namespace stellaro
