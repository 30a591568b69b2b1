#include "platform/utf.h"
#include "skin/props/properties.h"
#include "skin/props/skin_file.h"
#include "skin_test_support.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace stellaro {

namespace {

std::string source_with_everything()
{
    std::string source;
    for (int i = 0; i < 12; ++i) {
        const std::string n = std::to_string(i);
        source += "node node" + n + " {\n"
                  "  int a" + n + " = " + n + "\n  int b = -1\n  font f = \"" + std::to_string(8 + i % 3) + " 0 0 0 Tahoma\"\n"
                  "  point p = 1, " + n + "\n  string s = \"text " + n + "\"\n  string t = \"\"\n"
                  "  picture q = \"pic\" 0,0 1,1 2,2 4,4 flag 1\n  color c = #102030\n"
                  "  child { string id = \"c" + n + "\" int k = 1 child { color c = #FFFFFF } }\n"
                  "  child { }\n}\n";
    }
    return source;
}

// Reads everything a loaded skin offers, the way the program does.
int64_t exercise(const SkinFile& skin)
{
    int64_t sum = 0;
    for (const auto& [name, block] : skin.tree_entries()) {
        sum += static_cast<int64_t>(skin.find_block(name) == block);
        std::vector<uint32_t> pending{block};
        while (!pending.empty()) {
            const uint32_t at = pending.back();
            pending.pop_back();
            for (int kind = 0; kind < skin_format::KIND_COUNT; ++kind) {
                const auto k = static_cast<skin_format::RecordKind>(kind);
                for (uint32_t i = 0; i < skin.record_count(at, k); ++i) {
                    const uint8_t* record = skin.record(at, k, i);
                    const std::u16string record_name = skin.name_at(skin_format::load16(record));
                    sum += skin.find_record(at, k, record_name) != nullptr;
                }
                sum += skin.find_record(at, k, u"b") != nullptr;
            }
            for (uint32_t i = 0; i < skin.child_count(at); ++i)
                pending.push_back(skin.child(at, i));
        }
    }
    sum += skin.find_block(u"absent") != 0;
    return sum;
}

std::string damage(std::string bytes, std::mt19937& random)
{
    std::uniform_int_distribution<int> how(0, 9);
    const int changes = 1 + how(random) % 4;
    for (int c = 0; c < changes; ++c) {
        std::uniform_int_distribution<size_t> where(0, bytes.size() - 1);
        const size_t at = where(random);
        switch (how(random)) {
        case 0: bytes.resize(at); break;                                    // truncated
        case 1: bytes[at] = static_cast<char>(0xFF); break;                 // offsets to nowhere
        case 2:
            if (at + 4 <= bytes.size())
                for (int i = 0; i < 4; ++i)
                    bytes[at + i] = static_cast<char>(random() & 0xFF);     // a random word
            break;
        case 3:
            if (at + 2 <= bytes.size()) {                                    // a small offset
                bytes[at] = static_cast<char>(random() % 200);
                bytes[at + 1] = 0;
            }
            break;
        default: bytes[at] = static_cast<char>(bytes[at] ^ (1 << (random() % 8))); break;
        }
        if (bytes.size() < 2)
            break;
    }
    return bytes;
}

TEST(DamagedSkin, DamagedFilesNeverReadOutsideTheBufferAndFailedLoadsKeepThePreviousSkin)
{
    TemporaryFolder folder;
    write_bmp565(folder.file("pic.bmp"), 4, 4, 0xFFFF, 0xFFFF);
    const std::string path = compile_skin(folder.path(), "sound", source_with_everything());
    ASSERT_FALSE(path.empty());
    const std::string sound = read_file(path);
    SkinFile reference;
    std::string reason;
    ASSERT_TRUE(reference.open(sound, reason));
    const int64_t expected = exercise(reference);

    std::mt19937 random(20261206);
    int opened = 0;
    for (int round = 0; round < 4000; ++round) {
        SkinFile skin;
        if (skin.open(damage(sound, random), reason)) {
            ++opened;
            exercise(skin);
            if (skin.convert_colours_to_night())
                exercise(skin);
        }
    }
    // Some damage (in values rather than structure) leaves a loadable skin.
    EXPECT_GT(opened, 0);
    EXPECT_EQ(exercise(reference), expected);

    // Through the properties, a damaged file either loads or leaves the previous skin answering.
    Properties properties;
    ASSERT_TRUE(properties.load_skin(utf8_to_utf16(path), 96));
    const std::string damaged = folder.file("damaged.skin");
    for (int round = 0; round < 150; ++round) {
        write_file(damaged, damage(sound, random));
        if (!properties.load_skin(utf8_to_utf16(damaged), 96)) {
            ASSERT_NE(properties.find_block(u"node3"), nullptr);
            continue;
        }
        for (int i = 0; i < 12; ++i) {
            const SkinBlock* block = properties.find_block(u"node" + utf8_to_utf16(std::to_string(i)));
            properties.get_string(block, u"s", u"");
            properties.get_picture(block, u"q", {});
            properties.get_font(block, u"f", FontHandle());
            properties.get_point(block, u"p", {});
            for (uint32_t c = 0; c < properties.child_count(block); ++c)
                properties.get_color(properties.child_block(block, c), u"c", {});
        }
        ASSERT_TRUE(properties.load_skin(utf8_to_utf16(path), 96));
    }
}

TEST(DamagedSkin, LoopsAndDisorderAreRefused)
{
    TemporaryFolder folder;
    const std::string path = compile_skin(folder.path(), "chain", "node A { child { child { int k = 1 } } }\n");
    ASSERT_FALSE(path.empty());
    const std::string bytes = read_file(path);
    SkinFile skin;
    std::string reason;
    ASSERT_TRUE(skin.open(bytes, reason));
    const uint32_t a = skin.find_block(u"A");
    const uint32_t grandchild = skin.child(skin.child(a, 0), 0);
    ASSERT_EQ(skin.child_count(grandchild), 0u);
    const uint32_t root = skin_format::load32(reinterpret_cast<const uint8_t*>(bytes.data()) + skin_format::ROOT_OFFSET);

    const struct {
        const char* reason;
        std::function<void(uint8_t*)> damage;
    } cases[] = {
        // The grandchild given one child slot pointing back at A (its first record bytes become
        // the offset; there are no records to lose).
        {"contains itself",
         [&](uint8_t* out) {
             skin_format::store16(out + grandchild + skin_format::BLOCK_CHILD_COUNT, 1);
             for (int k = 0; k <= skin_format::KIND_COUNT; ++k)
                 skin_format::store16(out + grandchild + 2 * k, 20);
             skin_format::store32(out + grandchild + skin_format::BLOCK_HEADER_SIZE, a);
         }},
        // Record arrays whose boundaries run backwards past the end of the file.
        {"out of order", [&](uint8_t* out) { skin_format::store16(out + a + 2, 0xFFF0); }},
        // A tree entry linked to itself.
        {"reached twice", [&](uint8_t* out) { skin_format::store32(out + root + skin_format::ENTRY_LEFT, root); }},
    };
    for (const auto& test : cases) {
        std::string damaged = bytes;
        test.damage(reinterpret_cast<uint8_t*>(damaged.data()));
        SkinFile refused;
        EXPECT_FALSE(refused.open(damaged, reason)) << test.reason;
        EXPECT_NE(reason.find(test.reason), std::string::npos) << reason;
    }
}

} // namespace

} // namespace stellaro
