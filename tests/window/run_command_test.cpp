#include "support/test_support.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

// No display at all: the program says so and draws the sky into a picture in the working folder.
TEST(RunCommand, WithoutADisplayTheSkyIsDrawnIntoAPicture)
{
    TemporaryFolder folder;
    const std::string environment = "cd " + folder.path() + " && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER STELLARO_RUNTIME_DIR=" +
                                    folder.path() + "/run";
    const ProgramRun run = run_program("--lat 48.14 --lon 11.58 --time 2026-12-06T22:00+01:00 --size 96x160", environment);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("no display"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("stellaro render"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("stellaro-sky.png"), std::string::npos) << run.out;
    const std::string picture = read_file(folder.file("stellaro-sky.png"));
    ASSERT_GT(picture.size(), 8u);
    EXPECT_EQ(picture.substr(1, 3), "PNG");
}

} // namespace

} // namespace stellaro
