#include "platform/program_data_folder.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace stellaro {

TEST(ProgramDataFolder, BesideTheProgramThenInstalledUnderShareThenBesideAnyway)
{
    TemporaryFolder root;
    namespace fs = std::filesystem;
    fs::create_directories(root.file("prefix/bin"));
    fs::create_directories(root.file("prefix/share/stellaro"));
    fs::create_directories(root.file("build/bin/skins"));
    fs::create_directories(root.file("loose"));

    EXPECT_EQ(data_folder_for(root.file("prefix/bin/stellaro")), root.file("prefix/share/stellaro"));
    // The build tree's bin/ holds its data itself.
    fs::create_directories(root.file("build/share/stellaro"));
    EXPECT_EQ(data_folder_for(root.file("build/bin/stellaro")), root.file("build/bin"));
    EXPECT_EQ(data_folder_for(root.file("loose/stellaro")), root.file("loose"));
    EXPECT_EQ(data_folder_for(""), "");

    const EnvironmentGuard named("STELLARO_DATA_DIR", root.file("elsewhere"));
    EXPECT_EQ(program_data_folder(), root.file("elsewhere"));
}

} // namespace stellaro
