// The start-up behind the splash screen and the orderly shutdown, in a window of SDL's dummy
// video driver, with the program's data files in a folder of their own.
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace stellaro {

namespace {

const std::string NO_LANGUAGES = "No languages, please reinstall\n"
                                 "Не найдены языковые файлы, нужна переустановка\n";

class Startup : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::copy(std::filesystem::path(STELLARO_EXE).parent_path(), folder.path(),
                              std::filesystem::copy_options::recursive);
    }

    // Runs the program in the window; a run that comes up is ended after two seconds as a
    // desktop ending the session would (SIGTERM), which the window treats as closing it.
    ProgramRun run(const std::string& arguments = "")
    {
        const std::string command = "cd " + folder.path() + " && env -u LC_ALL -u LC_MESSAGES LANG=C SDL_VIDEODRIVER=dummy" +
                                    " STELLARO_LOG=1 XDG_STATE_HOME=" + folder.file("state") +
                                    " STELLARO_RUNTIME_DIR=" + folder.file("run") + " STELLARO_REGISTRY=" +
                                    folder.file("r.reg") + " timeout --preserve-status -s TERM 2 ./stellaro " + arguments;
        TemporaryFolder output;
        const int raw = std::system((command + " >" + output.file("out") + " 2>" + output.file("err")).c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read_file(output.file("out")), read_file(output.file("err"))};
    }

    std::string log() const { return read_file(folder.file("state/stellaro/stellaro.txt")); }

    TemporaryFolder folder;
};

TEST_F(Startup, TheMainScreenComesUpInOrderAndGoesDownCleanly)
{
    const ProgramRun result = run("run --dump " + folder.file("dump.json"));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(read_file(folder.file("dump.json")).find("\"stars\""), std::string::npos);
    size_t at = 0;
    for (const char* line : {" WinMain 0\n", " WinMain 1\n", " WinMain 3\n", " WinMain 4\n", " WinMain 5\n", " WinMain 6\n",
                             " WinMain splash 0\n", " WinMain splash 1\n", " WinMain splash 1.5\n", " WinMain splash 2\n",
                             " WinMain splash 3\n", " WinMain splash 4\n"}) {
        at = log().find(line, at);
        ASSERT_NE(at, std::string::npos) << line << log();
    }
}

TEST_F(Startup, AnUnknownLanguageIsRefusedBeforeTheWindowOpens)
{
    const ProgramRun result = run("run --language klingon");
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("--language: no language 'klingon' (available: english, french, german, italian, polish, "
                              "russian, spanish, ukrainian)"),
              std::string::npos)
        << result.err;
    EXPECT_EQ(log().find(" WinMain 0\n"), std::string::npos);
}

TEST_F(Startup, MissingFilesAreToldAndTheProgramEnds)
{
    std::filesystem::rename(folder.file("skins/bin/splash.skin"), folder.file("splash.skin"));
    ProgramRun result = run();
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("splash.skin: it cannot be read"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find(NO_LANGUAGES), std::string::npos) << result.err;
    std::filesystem::rename(folder.file("splash.skin"), folder.file("skins/bin/splash.skin"));

    std::filesystem::create_directory(folder.file("aside"));
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        if (entry.path().extension() == ".lng")
            std::filesystem::rename(entry.path(), folder.file("aside/" + entry.path().filename().string()));
    result = run();
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find(NO_LANGUAGES), std::string::npos) << result.err;
    EXPECT_EQ(log().find(" WinMain splash 1\n"), std::string::npos);

    std::filesystem::rename(folder.file("aside/german.lng"), folder.file("german.lng"));
    std::filesystem::remove(folder.file("skins/bin/default.skin"));
    result = run();
    EXPECT_EQ(result.status, 1);
    // In the only language there is.
    EXPECT_NE(result.err.find("Die Oberflächendateien von Stellaro fehlen"), std::string::npos) << result.err;
}

// With a single language file there is nothing to choose: the menu leaves the choice out.
TEST_F(Startup, OneLanguageFileLeavesTheLanguageOutOfTheMenu)
{
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        if (entry.path().extension() == ".lng" && entry.path().filename() != "english.lng")
            std::filesystem::remove(entry.path());
    const ProgramRun result = run("render --out " + folder.file("menu.png") + " --open menu --dump " + folder.file("menu.json"));
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string dump = read_file(folder.file("menu.json"));
    EXPECT_NE(dump.find("\"Night mode\""), std::string::npos);
    EXPECT_EQ(dump.find("\"Language\""), std::string::npos);
}

} // namespace

} // namespace stellaro
