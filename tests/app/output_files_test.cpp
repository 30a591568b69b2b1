// Where the commands' output goes: pictures, dumps and standard output, and what they say when
// it cannot get there.
#include "support/test_support.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace stellaro {

namespace {

const std::string SMALL = "render --frames 1 --size 32x32 --time 2026-12-24T21:00+01:00 --lat 48.85 --lon 2.35";

bool is_png(const std::string& bytes)
{
    return bytes.size() > 8 && bytes.substr(1, 3) == "PNG";
}

mode_t mode_of(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode : 0;
}

class OutputFiles : public ::testing::Test {
protected:
    // Renders into the path; the run.
    ProgramRun render_to(const std::string& path, const std::string& more = "") { return run_program(SMALL + " --out " + path + " " + more); }

    TemporaryRegistry registry;
    TemporaryFolder folder;
};

TEST_F(OutputFiles, APictureGoesThroughALinkToItsTarget)
{
    std::filesystem::create_symlink("target.png", folder.file("link.png"));
    const ProgramRun run = render_to(folder.file("link.png"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("link.png")));
    EXPECT_TRUE(is_png(read_file(folder.file("target.png"))));
}

TEST_F(OutputFiles, APictureIsWrittenIntoAFifoForItsReader)
{
    const std::string fifo = folder.file("picture.fifo");
    FifoReader reader(fifo, is_png);
    const ProgramRun run = render_to(fifo);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(reader.accepted());
    EXPECT_TRUE(S_ISFIFO(mode_of(fifo)));
}

TEST_F(OutputFiles, ANullDeviceStaysADevice)
{
    const std::string null = folder.file("null");
    if (::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "device nodes cannot be made here";
    const ProgramRun run = render_to(null, "--dump " + null);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(S_ISCHR(mode_of(null)));
}

TEST_F(OutputFiles, WriteErrorsSayWhy)
{
    const std::string full = "No space left on device";
    const ProgramRun picture = render_to("/dev/full");
    EXPECT_EQ(picture.status, 1);
    EXPECT_EQ(picture.err, "stellaro render: cannot write /dev/full: " + full + "\n");
    EXPECT_TRUE(S_ISCHR(mode_of("/dev/full")));
    const ProgramRun dump = render_to(folder.file("x.png"), "--dump /dev/full");
    EXPECT_EQ(dump.status, 1);
    EXPECT_EQ(dump.err, "stellaro render: cannot write /dev/full: " + full + "\n");
    write_file(folder.file("plain"), "a file, not a folder");
    const ProgramRun beneath_a_file = render_to(folder.file("plain/x.png"));
    EXPECT_EQ(beneath_a_file.status, 1);
    EXPECT_NE(beneath_a_file.err.find("plain/x.png: Not a directory"), std::string::npos) << beneath_a_file.err;
}

TEST_F(OutputFiles, AFolderIsNoEventsScript)
{
    const ProgramRun run = render_to(folder.file("x.png"), "--events " + folder.path());
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "stellaro render: --events: cannot read '" + folder.path() + "': Is a directory\n");
}

TEST_F(OutputFiles, MissingFoldersAreMadeAsTheUmaskAllows)
{
    const mode_t saved = ::umask(022);
    const ProgramRun run = render_to(folder.file("new/deeper/x.png"));
    ::umask(saved);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(mode_of(folder.file("new")) & 07777, 0755u);
    EXPECT_EQ(mode_of(folder.file("new/deeper")) & 07777, 0755u);
    EXPECT_EQ(mode_of(folder.file("new/deeper/x.png")) & 07777, 0644u);
}

TEST_F(OutputFiles, AFullStandardOutputFailsEveryCommand)
{
    for (const std::string& command : {std::string("--help"), std::string("info"), std::string("ephemeris --time 2026-01-01T00:00Z"), SMALL + " --out " + folder.file("x.png")}) {
        const ProgramRun run = run_program(command, "", ">/dev/full");
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_EQ(run.err, "stellaro: cannot write to standard output: No space left on device\n") << command;
    }
}

} // namespace

} // namespace stellaro
