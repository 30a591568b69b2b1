#include "platform/registry_file.h"
#include "support/byte_writer.h"

#include <gtest/gtest.h>

namespace stellaro {

namespace {

const std::u16string KEY = u"HKEY_CURRENT_USER\\Software\\Vendrix\\Stellaro";

std::optional<RegistryFile> parse(const std::string& text)
{
    std::string error;
    return RegistryFile::parse(text, error);
}

TEST(RegistryFile, RoundTripsStringsNumbersAndOtherTypes)
{
    RegistryFile file;
    file.set(KEY, u"latitude", RegistryValue::dword(0x0375C28F));
    file.set(KEY, u"language", RegistryValue::string(u"русский \"quoted\" C:\\path"));
    file.set(KEY, u"multi", RegistryValue::string(u"two\nlines"));
    file.set(u"HKEY_CURRENT_USER\\Software\\Vendrix", u"Log", RegistryValue::dword(1));
    const std::string text = file.serialize();
    const auto back = parse(text + "\"blob\"=hex:01,02,\\\n  03\n");
    ASSERT_TRUE(back);
    EXPECT_EQ(back->find(KEY, u"latitude")->number, 0x0375C28Fu);
    EXPECT_EQ(back->find(KEY, u"language")->text, u"русский \"quoted\" C:\\path");
    EXPECT_EQ(back->find(KEY, u"multi")->text, u"two\nlines");
    EXPECT_EQ(back->find(u"HKEY_CURRENT_USER\\Software\\Vendrix", u"Log")->number, 1u);
    // A value of a type the program does not use survives a save.
    EXPECT_NE(back->serialize().find("\"blob\"=hex:01,02,03"), std::string::npos);
}

TEST(RegistryFile, KeysAndNamesIgnoreLetterCaseInCrlfAndUtf16Files)
{
    const std::string text = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\SOFTWARE\\vendrix]\r\n\"LOG\"=dword:1\r\n";
    // Regedit writes UTF-16 with a byte order mark.
    for (const std::string& bytes : {text, ByteWriter().u16(0xFEFF).utf16(std::u16string(text.begin(), text.end())).str()}) {
        const auto file = parse(bytes);
        ASSERT_TRUE(file);
        ASSERT_NE(file->find(u"HKEY_CURRENT_USER\\Software\\Vendrix", u"log"), nullptr);
        EXPECT_EQ(file->find(u"HKEY_CURRENT_USER\\Software\\Vendrix", u"log")->number, 1u);
        EXPECT_EQ(file->find(u"HKEY_CURRENT_USER\\Software", u"Log"), nullptr);
    }
}

TEST(RegistryFile, DamagedFilesAreRefusedWithAReason)
{
    const char* damaged[] = {
        "",
        "not a registry\n",
        "Windows Registry Editor Version 5.00\n\"a\"=dword:1\n",
        "Windows Registry Editor Version 5.00\n[HKEY_USERS\\x\n",
        "Windows Registry Editor Version 5.00\n[HKEY_USERS\\x]\n\"a\"=dword:123456789\n",
        "Windows Registry Editor Version 5.00\n[HKEY_USERS\\x]\n\"a\"=dword:zz\n",
        "Windows Registry Editor Version 5.00\n[HKEY_USERS\\x]\n\"a=\"b\"\n",
        "Windows Registry Editor Version 5.00\n[HKEY_USERS\\x]\n\"a\"=\"b\n",
        "Windows Registry Editor Version 5.00\n[HKEY_USERS\\x]\n\"a\"=hex:1g\n",
        "Windows Registry Editor Version 5.00\n[HKEY_USERS\\x]\ngarbage\n",
    };
    for (const char* text : damaged) {
        std::string error;
        EXPECT_FALSE(RegistryFile::parse(text, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

} // namespace

} // namespace stellaro
