#include "catalog_samples.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace stellaro {

namespace {

// A copy of the program in a folder of its own, beside a small catalogue it reads as its data.
class EphemerisCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::copy_file(STELLARO_EXE, folder.file("stellaro"));
        // Sirius at 6h 45m 08.9s, -16d 42' 58"; two stars of a small figure.
        std::vector<StarRecord> stars = {sample_star(2491, 243089, -60178), sample_star(10, 200000, 30000), sample_star(20, 210000, 20000)};
        write_file(folder.file("catalog.db"), star_catalog_bytes(2491, stars));
        write_file(folder.file("constellations.txt"), "Ori,Orion,0,0,0,0,10,20\n");
    }

    ProgramRun run(const std::string& arguments)
    {
        const std::string command = "cd " + folder.path() + " && STELLARO_REGISTRY=" + folder.file("r.reg") + " ./stellaro " + arguments;
        TemporaryFolder output;
        const int raw = std::system((command + " >" + output.file("out") + " 2>" + output.file("err")).c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read_file(output.file("out")), read_file(output.file("err"))};
    }

    TemporaryFolder folder;
};

TEST_F(EphemerisCatalogueTest, StarsAndLabelPointsFollowTheBodiesOrAreOneLineErrors)
{
    const ProgramRun result = run("ephemeris --jd 2461399.5 --lat 48.85 --lon 2.35 --csv --star 2491 --constellation ori");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("\nNeptune,"), std::string::npos);
    // Sirius' apparent place of date, not its J2000.0 place (6.752472 h, -16.716111°): ERFA
    // gives 6.7731131 h, -16.7441937° for that place at this moment.
    const size_t sirius = result.out.find("\nHR 2491,6.77311");
    ASSERT_NE(sirius, std::string::npos) << result.out;
    EXPECT_NE(result.out.find(",-16.74419", sirius), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("\nOri,"), std::string::npos) << result.out;

    // Unknown stars and codes, and a missing catalogue, are one-line errors.
    for (const char* arguments : {"ephemeris --star 99", "ephemeris --star 2491x", "ephemeris --constellation Xyz", "ephemeris --star 0"}) {
        const ProgramRun result = run(arguments);
        EXPECT_EQ(result.status, 2) << arguments;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_TRUE(result.out.empty()) << arguments;
    }
    std::filesystem::remove(folder.file("catalog.db"));
    const ProgramRun missing = run("ephemeris --star 2491");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("catalog.db: it cannot be read"), std::string::npos) << missing.err;
    EXPECT_TRUE(missing.out.empty());
}

} // namespace

} // namespace stellaro
