#include "platform/utf.h"
#include "skin/props/properties.h"
#include "skin/props/skin_file.h"
#include "support/compiled_skin.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace stellaro {

namespace {

// Reads everything a loaded skin offers, the way the program does.
void exercise(const SkinFile& skin)
{
    for (const auto& [name, block] : skin.tree_entries()) {
        skin.find_block(name);
        std::vector<uint32_t> pending{block};
        while (!pending.empty()) {
            const uint32_t at = pending.back();
            pending.pop_back();
            for (int kind = 0; kind < skin_format::KIND_COUNT; ++kind) {
                const auto k = static_cast<skin_format::RecordKind>(kind);
                for (uint32_t i = 0; i < skin.record_count(at, k); ++i)
                    skin.find_record(at, k, skin.name_at(skin_format::load16(skin.record(at, k, i))));
            }
            for (uint32_t i = 0; i < skin.child_count(at); ++i)
                pending.push_back(skin.child(at, i));
        }
    }
}

// Every truncation, and every byte turned into an offset far away, a small offset and a flipped bit.
std::vector<std::string> damaged_versions(const std::string& sound)
{
    std::vector<std::string> versions;
    for (size_t at = 0; at < sound.size(); ++at) {
        versions.push_back(sound.substr(0, at));
        for (const char value : {'\xFF', '\x10', static_cast<char>(sound[at] ^ 1)}) {
            versions.push_back(sound);
            versions.back()[at] = value;
        }
    }
    return versions;
}

TEST(DamagedSkin, DamagedFilesNeverReadOutsideTheBufferAndFailedLoadsKeepThePreviousSkin)
{
    TemporaryFolder folder;
    write_bmp565(folder.file("pic.bmp"), 4, 4, 0xFFFF, 0xFFFF);
    std::string source;
    for (const std::string n : {"0", "1", "2"})
        source += "node node" + n + " { int a" + n + " = 1 font f = \"9 0 0 0 Tahoma\" point p = 1, 2 string s = \"s\"\n"
                  "  picture q = \"pic\" 0,0 1,1 2,2 4,4 flag 1 color c = #102030\n"
                  "  child { string id = \"c\" child { color c = #FFFFFF } } child { } }\n";
    const std::string path = compile_skin(folder.path(), "sound", source);
    ASSERT_FALSE(path.empty());
    const std::string sound = read_file(path);

    Properties properties;
    ASSERT_TRUE(properties.load_skin(utf8_to_utf16(path), 96));
    const std::string damaged_path = folder.file("damaged.skin");
    int opened = 0;
    for (const std::string& version : damaged_versions(sound)) {
        SkinFile skin;
        std::string reason;
        if (skin.open(version, reason)) {
            ++opened;
            exercise(skin);
            if (skin.convert_colours_to_night())
                exercise(skin);
        }
        // Through the properties it loads and answers, or the previous skin answers.
        write_file(damaged_path, version);
        if (!properties.load_skin(utf8_to_utf16(damaged_path), 96)) {
            ASSERT_NE(properties.find_block(u"node1"), nullptr);
            continue;
        }
        const SkinBlock* block = properties.find_block(u"node1");
        properties.get_picture(block, u"q", {});
        properties.get_font(block, u"f", FontHandle());
        properties.get_color(properties.child_block(block, 0), u"c", {});
        ASSERT_TRUE(properties.load_skin(utf8_to_utf16(path), 96));
    }
    // Some damage (in values rather than structure) leaves a loadable skin.
    EXPECT_GT(opened, 0);
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

TEST(DamagedSkin, NamesOutOfOrderAreRefusedSinceTheyCouldNeverBeFound)
{
    TemporaryFolder folder;
    const std::string path = compile_skin(folder.path(), "order", "node Mid { int alpha = 1 int beta = 2 }\nnode Zed { }\n");
    ASSERT_FALSE(path.empty());
    const std::string bytes = read_file(path);
    SkinFile skin;
    std::string reason;
    ASSERT_TRUE(skin.open(bytes, reason));
    const uint32_t mid = skin.find_block(u"Mid");
    const uint32_t zed_name = skin_format::load32(reinterpret_cast<const uint8_t*>(bytes.data()) + skin.find_block(u"Zed") -
                                                  skin_format::ENTRY_BLOCK + skin_format::ENTRY_NAME);
    const uint32_t beta_name = skin_format::load16(skin.record(mid, skin_format::INTEGER, 1));
    // A first letter sorting before the others: "0ed" before "Mid", "0eta" before "alpha".
    for (const uint32_t name : {zed_name, beta_name}) {
        std::string damaged = bytes;
        skin_format::store16(reinterpret_cast<uint8_t*>(damaged.data()) + name, u'0');
        SkinFile refused;
        EXPECT_FALSE(refused.open(damaged, reason));
        EXPECT_NE(reason.find("out of name order"), std::string::npos) << reason;
    }
}

} // namespace

} // namespace stellaro
