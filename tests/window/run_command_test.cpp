#include "support/golden.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

// The environment of a run with no display at all, working in the folder.
std::string without_display(const TemporaryFolder& folder)
{
    return "cd " + folder.path() + " && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER STELLARO_RUNTIME_DIR=" + folder.path() + "/run";
}

bool is_png(const std::string& path)
{
    const std::string picture = read_file(path);
    return picture.size() > 8 && picture.substr(1, 3) == "PNG";
}

// No display at all: the program says so and draws the sky into a picture in the working folder.
TEST(RunCommand, WithoutADisplayTheSkyIsDrawnIntoAPicture)
{
    TemporaryFolder folder;
    const ProgramRun run = run_program("--lat 48.14 --lon 11.58 --time 2026-12-06T22:00+01:00 --size 96x160", without_display(folder));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("no display"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("stellaro render"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("stellaro-sky.png"), std::string::npos) << run.out;
    EXPECT_TRUE(is_png(folder.file("stellaro-sky.png")));
}

// Another screen goes into a picture of its own, with the dump asked for.
TEST(RunCommand, WithoutADisplayTheNamedScreenIsDrawnAndDumped)
{
    TemporaryFolder folder;
    const ProgramRun run = run_program("run --screen Gallery --size 120x200 --dump gallery.json", without_display(folder));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("stellaro-gallery.png"), std::string::npos) << run.out;
    EXPECT_TRUE(is_png(folder.file("stellaro-gallery.png")));
    EXPECT_NE(read_file(folder.file("gallery.json")).find("\"gallery_name\""), std::string::npos);
}

// Turned a quarter, the picture is what the window would show: a frame as wide as the window is
// tall, drawn upright and turned on its way.
TEST(RunCommand, WithoutADisplayThePictureIsTurnedAsTheWindowWouldBe)
{
    TemporaryFolder folder;
    const std::string moment = " --lat 48.14 --lon 11.58 --time 2026-12-06T22:00+01:00";
    const ProgramRun turned = run_program("--rotate 90 --size 96x160" + moment, without_display(folder));
    ASSERT_EQ(turned.status, 0) << turned.err;
    const ProgramRun upright = run_program("render --out frame.png --size 160x96" + moment, "cd " + folder.path() + " &&");
    ASSERT_EQ(upright.status, 0) << upright.err;
    const auto window = read_png_565(folder.file("stellaro-sky.png"));
    const auto frame = read_png_565(folder.file("frame.png"));
    ASSERT_TRUE(window && frame);
    ASSERT_EQ(std::pair(window->width, window->height), std::pair(96, 160));
    int differing = 0;
    for (int y = 0; y < window->height; ++y)
        for (int x = 0; x < window->width; ++x)
            differing += window->pixels[static_cast<size_t>(y) * 96 + x] != frame->pixels[static_cast<size_t>(x) * 160 + (159 - y)];
    EXPECT_EQ(differing, 0);
}

// Whatever cannot be said on standard error still turns success into failure.
TEST(RunCommand, AFullStandardErrorIsAFailure)
{
    TemporaryFolder folder;
    const ProgramRun run = run_program("--size 32x32", without_display(folder), "2>/dev/full");
    EXPECT_EQ(run.status, 1);
}

// A screen the skin does not have is a usage error, whether or not a display is there.
TEST(RunCommand, AnUnknownScreenIsRefusedOnOneLine)
{
    TemporaryFolder folder;
    const ProgramRun run = run_program("run --screen NoSuchNode", without_display(folder));
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "stellaro run: --screen: the skin has no node 'NoSuchNode'\n");
}

} // namespace

} // namespace stellaro
