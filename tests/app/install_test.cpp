// The program installed into a prefix of its own, as `cmake --install` puts it, run from there.
#include "support/golden.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace stellaro {

namespace {

const std::string BUILD_FOLDER = std::filesystem::path(STELLARO_APP_DIR).parent_path().string();

bool tool_present(const std::string& name) { return run_command("command -v " + name).status == 0; }

} // namespace

TEST(Install, TheInstalledProgramFindsItsDataAndTheDesktopListsIt)
{
    TemporaryFolder prefix;
    const ProgramRun install = run_command("cmake --install '" + BUILD_FOLDER + "' --prefix '" + prefix.path() + "'");
    ASSERT_EQ(install.status, 0) << install.err;
    for (const char* file : {"bin/stellaro", "share/stellaro/skins/bin/default.skin", "share/stellaro/skins/bin/icon_magnify.bmp",
                             "share/stellaro/catalog.db", "share/stellaro/english.lng", "share/stellaro/map.zip",
                             "share/applications/stellaro.desktop", "share/icons/hicolor/scalable/apps/stellaro.svg",
                             "share/icons/hicolor/48x48/apps/stellaro.png", "share/icons/hicolor/128x128/apps/stellaro.png"})
        EXPECT_TRUE(std::filesystem::is_regular_file(prefix.file(file))) << file;
    EXPECT_FALSE(std::filesystem::exists(prefix.file("share/stellaro/stellaro")));

    // Run from elsewhere, with nothing beside it, it reads the data of share/stellaro.
    TemporaryRegistry registry;
    TemporaryFolder work;
    const ProgramRun render = run_command("cd '" + work.path() + "' && env -u STELLARO_DATA_DIR '" + prefix.file("bin/stellaro") +
                                          "' render --out sky.png");
    ASSERT_EQ(render.status, 0) << render.err;
    const auto picture = read_png_565(work.file("sky.png"));
    ASSERT_TRUE(picture);
    EXPECT_EQ(std::pair(picture->width, picture->height), std::pair(480, 800));

    if (tool_present("desktop-file-validate")) {
        const ProgramRun valid = run_command("desktop-file-validate '" + prefix.file("share/applications/stellaro.desktop") + "'");
        EXPECT_EQ(valid.status, 0) << valid.out << valid.err;
        EXPECT_EQ(valid.out, "");
    }
}

} // namespace stellaro
