// The program with one damaged data file: each says on stderr once which file and what was
// wrong, and the headless commands fail instead of printing or drawing from it.
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>

namespace stellaro {

namespace {

// A copy of the program with its data files in a folder of its own.
class DamagedData : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::copy(std::filesystem::path(STELLARO_EXE).parent_path(), folder.path(),
                              std::filesystem::copy_options::recursive);
    }

    ProgramRun run(const std::string& arguments)
    {
        const std::string command = "cd " + folder.path() + " && STELLARO_REGISTRY=" + folder.file("r.reg") + " ./stellaro " + arguments;
        TemporaryFolder output;
        const int raw = std::system((command + " >" + output.file("out") + " 2>" + output.file("err")).c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read_file(output.file("out")), read_file(output.file("err"))};
    }

    // The command fails with one line on stderr naming the file and the problem, and no output.
    void expect_reported(const std::string& arguments, const std::string& file, const std::string& problem)
    {
        const ProgramRun result = run(arguments);
        EXPECT_EQ(result.status, 1) << arguments << "\n" << result.err;
        EXPECT_NE(result.err.find(folder.file(file) + ": "), std::string::npos) << arguments << "\n" << result.err;
        EXPECT_NE(result.err.find(problem), std::string::npos) << arguments << "\n" << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_TRUE(result.out.empty()) << result.out;
        EXPECT_FALSE(std::filesystem::exists(folder.file("sky.png")));
    }

    std::string render() const { return "render --frames 1 --out " + folder.file("sky.png"); }

    TemporaryFolder folder;
};

TEST_F(DamagedData, SoundFilesLoadWithoutAWord)
{
    for (const std::string& arguments : {std::string("info"), std::string("ephemeris --star 2491 --constellation Ori"), render()}) {
        const ProgramRun result = run(arguments);
        EXPECT_EQ(result.status, 0) << arguments;
        EXPECT_EQ(result.err, "") << arguments;
    }
}

TEST_F(DamagedData, AMissingEmptyOrCutStarCatalogueIsNamedAndNothingIsDrawnOrPrinted)
{
    const std::string catalogue = read_file(folder.file("catalog.db"));
    write_file(folder.file("catalog.db"), catalogue.substr(0, catalogue.size() / 2));
    expect_reported(render(), "catalog.db", "it ends before star 9110");
    expect_reported("ephemeris --star 2491", "catalog.db", "it ends before star 9110");
    write_file(folder.file("catalog.db"), "");
    expect_reported("ephemeris --star 2491", "catalog.db", "it is empty");
    std::filesystem::remove(folder.file("catalog.db"));
    expect_reported(render(), "catalog.db", "it cannot be read");
}

TEST_F(DamagedData, ADamagedOrEmptyConstellationFileIsNamed)
{
    std::string text = read_file(folder.file("constellations.txt"));
    const size_t orion = text.find("\nOri,");
    ASSERT_NE(orion, std::string::npos);
    // A digit of a star number turned into a letter: the line no longer parses completely.
    text[text.find('\n', orion + 1) - 2] = 'o';
    write_file(folder.file("constellations.txt"), text);
    expect_reported("ephemeris --constellation Ori", "constellations.txt", "1 damaged lines left out, the first at line");
    write_file(folder.file("constellations.txt"), "");
    expect_reported("ephemeris --constellation Ori", "constellations.txt", "it holds no constellations");
}

TEST_F(DamagedData, AMissingOrDamagedLanguageFileIsNamed)
{
    const std::string english = read_file(folder.file("english.lng"));
    write_file(folder.file("english.lng"), english.substr(0, english.size() - 1));
    expect_reported(render(), "english.lng", "its UTF-16 text has an odd number of bytes");
    // Without any language file there is nothing to show the texts in.
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        if (entry.path().extension() == ".lng")
            std::filesystem::remove(entry.path());
    const ProgramRun result = run(render());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "stellaro render: no language file could be loaded from " + folder.path() + "\n");
    EXPECT_FALSE(std::filesystem::exists(folder.file("sky.png")));
}

TEST_F(DamagedData, ADamagedSkinPictureIsNamedRatherThanTheSkin)
{
    write_file(folder.file("skins/bin/background.bmp"), "BM");
    expect_reported(render(), "skins/bin/background.bmp", "it is cut short in its header");
}

TEST_F(DamagedData, FlippedBytesOfTheCityDatabaseAreReportedAndTheNearestCityIsNotPrinted)
{
    std::string cities = read_file(folder.file("cities.db"));
    std::mt19937 random(7);
    for (size_t i = 0; i < cities.size() / 1000; ++i) {
        const size_t at = 4 + random() % (cities.size() - 4);
        cities[at] = static_cast<char>(~cities[at]);
    }
    write_file(folder.file("cities.db"), cities);
    expect_reported("info --lat 48.85 --lon 2.35", "cities.db", "damaged records at ");
}

} // namespace

} // namespace stellaro
