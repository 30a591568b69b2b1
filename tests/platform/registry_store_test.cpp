#include "platform/registry_store.h"
#include "support/test_support.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <random>
#include <thread>

namespace stellaro {

namespace {

const std::u16string KEY = u"HKEY_CURRENT_USER\\Software\\Vendrix\\Stellaro";

TEST(RegistryStore, SavesAtomicallyAndAWriteStartsFromTheFileAsItIsOnDisk)
{
    TemporaryRegistry registry;
    EXPECT_FALSE(registry_read(KEY, u"latitude"));
    ASSERT_TRUE(registry_write(KEY, u"latitude", RegistryValue::dword(1)));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    write_file(registry.path(), "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\Software\\Vendrix\\Stellaro]\n"
                                "\"latitude\"=dword:00000007\n\"other\"=\"kept\"\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(registry_read(KEY, u"latitude")->number, 7u);
    // The hand-made value survives the next save.
    ASSERT_TRUE(registry_write(KEY, u"language", RegistryValue::string(u"english")));
    const std::string saved = read_file(registry.path());
    EXPECT_NE(saved.find("\"other\"=\"kept\""), std::string::npos);
    EXPECT_NE(saved.find("\"language\"=\"english\""), std::string::npos);
    // Nothing is left behind but the file itself.
    const std::filesystem::path folder = std::filesystem::path(registry.path()).parent_path();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

TEST(RegistryStore, ADamagedFileIsReadAsDefaultsAndKeptAsideOnlyByAWriteNeverOverAnEarlierOne)
{
    TemporaryRegistry registry;
    const std::string damaged = "\x01\x02 this is not a settings file";
    write_file(registry.path(), damaged);
    // A reader leaves the file where it is: it may be in the middle of being written.
    EXPECT_FALSE(registry_read(KEY, u"latitude"));
    EXPECT_EQ(read_file(registry.path()), damaged);
    EXPECT_FALSE(std::filesystem::exists(registry.path() + ".bad"));
    ASSERT_TRUE(registry_write(KEY, u"latitude", RegistryValue::dword(5)));
    EXPECT_EQ(registry_read(KEY, u"latitude")->number, 5u);
    EXPECT_EQ(read_file(registry.path() + ".bad"), damaged);

    // Damaged again: the second one is kept beside the first.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    write_file(registry.path(), "second damage");
    ASSERT_TRUE(registry_write(KEY, u"latitude", RegistryValue::dword(6)));
    EXPECT_EQ(read_file(registry.path() + ".bad"), damaged);
    EXPECT_EQ(read_file(registry.path() + ".bad.1"), "second damage");
    EXPECT_EQ(registry_read(KEY, u"latitude")->number, 6u);
}

TEST(RegistryStore, AnEmptyFileHoldsNoSettingsAndIsNotDamage)
{
    TemporaryRegistry registry;
    write_file(registry.path(), "");
    EXPECT_FALSE(registry_read(KEY, u"latitude"));
    ASSERT_TRUE(registry_write(KEY, u"latitude", RegistryValue::dword(3)));
    EXPECT_EQ(registry_read(KEY, u"latitude")->number, 3u);
    EXPECT_FALSE(std::filesystem::exists(registry.path() + ".bad"));
}

TEST(RegistryStore, AFifoOrAFolderInPlaceOfTheFileIsLeftAloneAndNothingIsSaved)
{
    TemporaryRegistry registry;
    ASSERT_EQ(mkfifo(registry.path().c_str(), 0600), 0);
    EXPECT_FALSE(registry_read(KEY, u"latitude"));
    EXPECT_FALSE(registry_write(KEY, u"latitude", RegistryValue::dword(1)));
    EXPECT_TRUE(std::filesystem::is_fifo(registry.path()));

    TemporaryFolder folder;
    const EnvironmentGuard store("STELLARO_REGISTRY", folder.path());
    EXPECT_FALSE(registry_write(KEY, u"latitude", RegistryValue::dword(1)));
    EXPECT_TRUE(std::filesystem::is_directory(folder.path()));
    EXPECT_FALSE(std::filesystem::exists(folder.path() + ".bad"));
}

// The count the file holds, or 0.
uint32_t stored_count(const std::string& path)
{
    std::string error;
    const auto file = RegistryFile::parse(read_file(path), error);
    const RegistryValue* count = file ? file->find(KEY, u"first") : nullptr;
    return count ? count->number : 0;
}

// A process saving settings and killed at any moment leaves either the values before or the
// values after its save: never a damaged file, never one kept aside.
TEST(RegistryStore, KillingASavingProcessNeverDamagesTheFile)
{
    TemporaryRegistry registry;
    std::mt19937 random(20260101);
    uint32_t last_saved = 0;
    for (int round = 0; round < 40; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Counts on from what is stored, saving three values that belong together each time;
            // the text makes the file longer as the count grows.
            const auto stored = registry_read(KEY, u"first");
            for (uint32_t count = stored ? stored->number + 1 : 1;; ++count)
                registry_write_all(KEY, {{u"first", RegistryValue::dword(count)},
                                         {u"text", RegistryValue::string(std::u16string(count % 500, u'x'))},
                                         {u"second", RegistryValue::dword(count)}});
        }
        // Killed once it has saved a new count, at a moment of its later saves left to chance.
        for (int wait = 0; wait < 5000 && stored_count(registry.path()) <= last_saved; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 3000)(random)));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);

        std::string error;
        const auto file = RegistryFile::parse(read_file(registry.path()), error);
        ASSERT_TRUE(file) << "after kill " << round << ": " << error;
        const RegistryValue* first = file->find(KEY, u"first");
        const RegistryValue* second = file->find(KEY, u"second");
        const RegistryValue* text = file->find(KEY, u"text");
        ASSERT_TRUE(first && second && text) << "after kill " << round;
        EXPECT_EQ(first->number, second->number);
        EXPECT_EQ(text->text.size(), first->number % 500);
        EXPECT_GT(first->number, last_saved);
        last_saved = first->number;
    }
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(registry.path()).parent_path()))
        EXPECT_EQ(entry.path().string().find(".bad"), std::string::npos) << entry.path();
}

TEST(RegistryStore, FullDiskKeepsTheOldFileAndValue)
{
    TemporaryRegistry registry;
    ASSERT_TRUE(registry_write(KEY, u"latitude", RegistryValue::dword(9)));
    const std::string before = read_file(registry.path());
    // A file-size limit makes every write beyond it fail, as a full disk does.
    signal(SIGXFSZ, SIG_IGN);
    rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit tiny = saved;
    tiny.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &tiny);
    const bool written = registry_write(KEY, u"latitude", RegistryValue::dword(10));
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(written);
    EXPECT_EQ(read_file(registry.path()), before);
    EXPECT_EQ(registry_read(KEY, u"latitude")->number, 9u);
}

TEST(RegistryStore, ALinkedSettingsFileStaysALink)
{
    TemporaryFolder folder;
    std::filesystem::create_symlink("kept.reg", folder.file("link.reg"));
    std::filesystem::create_symlink("kept.reg", folder.file("other.reg"));
    EnvironmentGuard store("STELLARO_REGISTRY", folder.file("link.reg"));
    ASSERT_TRUE(registry_write(KEY, u"latitude", RegistryValue::dword(3)));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("link.reg")));
    EXPECT_NE(read_file(folder.file("kept.reg")).find("dword:00000003"), std::string::npos);
    // A damaged target is set aside where it is by the next save, which goes where the link
    // leads. Another name for the store makes it read the file afresh.
    write_file(folder.file("kept.reg"), "damaged");
    store.set(folder.file("other.reg"));
    EXPECT_FALSE(registry_read(KEY, u"latitude"));
    ASSERT_TRUE(registry_write(KEY, u"latitude", RegistryValue::dword(4)));
    EXPECT_EQ(read_file(folder.file("kept.reg.bad")), "damaged");
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("other.reg")));
    EXPECT_NE(read_file(folder.file("kept.reg")).find("dword:00000004"), std::string::npos);
}

TEST(RegistryStore, UnwritableLocationFailsWithoutHarm)
{
    TemporaryFolder folder;
    write_file(folder.file("blocker"), "a file where a folder should be");
    {
        const EnvironmentGuard store("STELLARO_REGISTRY", folder.file("blocker") + "/registry.reg");
        EXPECT_FALSE(registry_write(KEY, u"latitude", RegistryValue::dword(1)));
        EXPECT_FALSE(registry_read(KEY, u"latitude"));
    }
    EXPECT_EQ(read_file(folder.file("blocker")), "a file where a folder should be");
}

} // namespace

} // namespace stellaro
