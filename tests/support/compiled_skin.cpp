#include "support/compiled_skin.h"

#include "support/byte_writer.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>

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

void write_bmp565(const std::string& path, int32_t width, int32_t height, uint16_t colour, uint16_t corner)
{
    const int64_t row = (16 * int64_t{width} + 31) / 32 * 4;
    ByteWriter bmp;
    // File header, then the information header of a top-down (negative height) 16-bit picture.
    bmp.bytes("BM").u32(54 + row * height).u32(0).u32(54);
    bmp.u32(40).u32(width).u32(-height).u16(1).u16(16).u32(0).u32(row * height).u32(0).u32(0).u32(0).u32(0);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x)
            bmp.u16(x == 0 && y == 0 ? corner : colour);
        bmp.bytes(std::string(static_cast<size_t>(row - 2 * width), '\0'));
    }
    write_file(path, bmp.str());
}

} // namespace stellaro
