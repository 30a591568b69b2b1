#include "platform/registry_store.h"
#include "support/test_support.h"

#include <sys/resource.h>

#include <csignal>

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
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

TEST(RegistryStore, DamagedFileIsKeptAsideAndDefaultsUsed)
{
    TemporaryRegistry registry;
    write_file(registry.path(), "\x01\x02 this is not a settings file");
    EXPECT_FALSE(registry_read(KEY, u"latitude"));
    EXPECT_EQ(read_file(registry.path() + ".bad"), "\x01\x02 this is not a settings file");
    ASSERT_TRUE(registry_write(KEY, u"latitude", RegistryValue::dword(5)));
    EXPECT_EQ(registry_read(KEY, u"latitude")->number, 5u);
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
    // A damaged target is set aside where it is, and the link leads to the next save. Another
    // name for the store makes it read the file afresh.
    write_file(folder.file("kept.reg"), "damaged");
    store.set(folder.file("other.reg"));
    EXPECT_FALSE(registry_read(KEY, u"latitude"));
    EXPECT_EQ(read_file(folder.file("kept.reg.bad")), "damaged");
    ASSERT_TRUE(registry_write(KEY, u"latitude", RegistryValue::dword(4)));
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
