#include "platform/utf.h"
#include "skin/props/properties.h"
#include "skin_test_support.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

namespace stellaro {

namespace {

constexpr Pixel WHITE = 0xFFFF;

// A skin with every kind of property, prefixes of names, empty arrays, children and enough
// nodes to make the tree several levels deep.
std::string sample_source()
{
    std::string source = R"(
node Main {
    int grow = 7
    int grow_min = -3
    int zero = 0
    point offset = 10, -3
    point design_size = 240, 320
    string title = "Sky map"
    string empty_text = ""
    color sky = #C86432
    color ground = #000000
    font font = "10 1 0 0 Tahoma"
    font label = "12 0 1 0 Courier New"
    picture frame = "frame" 1,1 3,3 5,5 8,6 flag 2
    picture whole = "frame"
    child { string id = "first" }
    child {
        string id = "second"
        child { string id = "inner" }
    }
}
node Empty { }
node grow { int grow = 1 }
node grow_min { int grow_min = 2 }
)";
    for (int i = 0; i < 40; ++i)
        source += "node n" + std::to_string(100 + i) + " { int index = " + std::to_string(i) + " }\n";
    return source;
}

class PropertiesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        write_bmp565(folder.file("frame.bmp"), 8, 6, WHITE, TRANSPARENT_KEY);
        skin = compile_skin(folder.path(), "sample", sample_source());
        ASSERT_FALSE(skin.empty());
    }

    bool load(Properties& properties, int32_t dpi = 96)
    {
        return properties.load_skin(utf8_to_utf16(skin), dpi);
    }

    TemporaryFolder folder;
    std::string skin;
};

TEST_F(PropertiesTest, TreeLookupFindsEveryNodeAndNoOther)
{
    Properties properties;
    EXPECT_FALSE(properties.loaded());
    EXPECT_EQ(properties.find_block(u"Main"), nullptr);
    ASSERT_TRUE(load(properties));
    EXPECT_TRUE(properties.loaded());
    for (int i = 0; i < 40; ++i) {
        const SkinBlock* block = properties.find_block(u"n" + utf8_to_utf16(std::to_string(100 + i)));
        ASSERT_NE(block, nullptr) << i;
        EXPECT_EQ(properties.get_int(block, u"index", -1), i);
    }
    for (const char16_t* absent : {u"", u"Mai", u"Main2", u"main", u"n99", u"n140", u"zzz"})
        EXPECT_EQ(properties.find_block(absent), nullptr) << utf16_to_utf8(absent);
    // A name that is a prefix of another sorts first and is found on its own.
    EXPECT_EQ(properties.get_int(properties.find_block(u"grow"), u"grow", 0), 1);
    EXPECT_EQ(properties.get_int(properties.find_block(u"grow_min"), u"grow_min", 0), 2);
}

TEST_F(PropertiesTest, TypedLookupsAndDefaults)
{
    Properties properties;
    ASSERT_TRUE(load(properties));
    const SkinBlock* main = properties.find_block(u"Main");
    ASSERT_NE(main, nullptr);

    // Names match whole; each lookup searches only the records of its own kind.
    for (const auto& [name, fallback, expected] : {std::tuple{u"grow", 0, 7}, {u"grow_min", 0, -3}, {u"zero", 5, 0},
                                                   {u"gro", 11, 11}, {u"grow_", 12, 12}, {u"title", 13, 13}})
        EXPECT_EQ(properties.get_int(main, name, fallback), expected) << utf16_to_utf8(name);

    EXPECT_EQ(properties.get_point(main, u"offset", {}), (Point{10, -3}));
    EXPECT_EQ(properties.get_point(main, u"nothing", {4, 5}), (Point{4, 5}));
    EXPECT_EQ(properties.get_string(main, u"title", u"x"), u"Sky map");
    EXPECT_EQ(properties.get_string(main, u"empty_text", u"x"), u"");
    EXPECT_EQ(properties.get_string(main, u"subtitle", u"fallback"), u"fallback");
    EXPECT_EQ(properties.get_color(main, u"sky", {}), (Colour{200, 100, 50, 255}));
    EXPECT_EQ(properties.get_color(main, u"ground", {1, 2, 3, 4}), (Colour{0, 0, 0, 255}));
    EXPECT_EQ(properties.get_color(main, u"sea", {1, 2, 3, 4}), (Colour{1, 2, 3, 4}));

    const FontHandle font = properties.get_font(main, u"font", FontHandle());
    ASSERT_TRUE(font);
    EXPECT_EQ(std::tuple(font->description().size, font->description().bold, font->description().face),
              std::tuple(10, 1, std::u16string(u"Tahoma")));
    EXPECT_EQ(properties.get_font(main, u"label", FontHandle())->description().face, u"Courier New");
    const FontHandle fallback = FontHandle::default_font();
    EXPECT_EQ(properties.get_font(main, u"title", fallback), fallback);

    const PictureRef frame = properties.get_picture(main, u"frame", {});
    ASSERT_FALSE(frame.empty());
    EXPECT_EQ(std::tuple(frame.p0, frame.p1, frame.p2, frame.p3, frame.flag),
              std::tuple(Point{1, 1}, Point{3, 3}, Point{5, 5}, Point{8, 6}, 2));
    EXPECT_EQ(frame.picture->size(), (Size{8, 6}));
    // A picture named twice is loaded once.
    const PictureRef whole = properties.get_picture(main, u"whole", {});
    EXPECT_EQ(whole.p2, (Point{8, 6}));
    EXPECT_EQ(whole.picture, frame.picture);
    EXPECT_TRUE(properties.get_picture(main, u"other", {}).empty());
}

TEST_F(PropertiesTest, EmptyArraysAndNullBlocksGiveDefaultsAndChildrenComeInOrder)
{
    Properties properties;
    ASSERT_TRUE(load(properties));
    const SkinBlock* empty = properties.find_block(u"Empty");
    ASSERT_NE(empty, nullptr);
    EXPECT_FALSE(properties.has_records(empty, skin_format::POINT));
    EXPECT_EQ(properties.get_point(empty, u"", {-1, -2}), (Point{-1, -2}));
    EXPECT_EQ(properties.get_int(empty, u"grow", 3), 3);
    EXPECT_EQ(properties.child_count(empty), 0u);
    EXPECT_EQ(properties.get_string(nullptr, u"title", u"d"), u"d");
    EXPECT_EQ(properties.child_count(nullptr), 0u);

    const SkinBlock* main = properties.find_block(u"Main");
    ASSERT_EQ(properties.child_count(main), 2u);
    EXPECT_EQ(properties.get_string(properties.child_block(main, 0), u"id", u""), u"first");
    const SkinBlock* second = properties.child_block(main, 1);
    EXPECT_EQ(properties.get_string(second, u"id", u""), u"second");
    ASSERT_EQ(properties.child_count(second), 1u);
    EXPECT_EQ(properties.get_string(properties.child_block(second, 0), u"id", u""), u"inner");
    EXPECT_EQ(properties.child_block(main, 2), nullptr);
    EXPECT_EQ(properties.block_at(0), nullptr);
}

TEST_F(PropertiesTest, HighResolutionDoublesPointsAndPicturesButNotIntegers)
{
    Properties properties;
    ASSERT_TRUE(load(properties, 192));
    EXPECT_EQ(properties.scale(), 1);
    const SkinBlock* main = properties.find_block(u"Main");
    EXPECT_EQ(properties.get_point(main, u"offset", {}), (Point{20, -6}));
    EXPECT_EQ(properties.get_int(main, u"grow", 0), 7);
    const PictureRef frame = properties.get_picture(main, u"frame", {});
    EXPECT_EQ(std::tuple(frame.p0, frame.p3, frame.scale), std::tuple(Point{2, 2}, Point{16, 12}, 1));
    EXPECT_EQ(properties.get_font(main, u"font", FontHandle())->description().scale, 2);
    // Defaults are returned as given.
    EXPECT_EQ(properties.get_point(main, u"nothing", {3, 3}), (Point{3, 3}));

    ASSERT_TRUE(load(properties, 191));
    EXPECT_EQ(properties.scale(), 0);
    EXPECT_EQ(properties.get_point(properties.find_block(u"Main"), u"offset", {}), (Point{10, -3}));
}

TEST_F(PropertiesTest, FailedLoadsKeepThePreviousSkin)
{
    Properties properties;
    ASSERT_TRUE(load(properties));

    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
        write_bmp565(folder.file(name), 2, 2, WHITE, WHITE);
    const std::string three = compile_skin(folder.path(), "three",
                                           "node Other { picture a = \"a\"  picture b = \"b\"  picture c = \"c\" }");
    ASSERT_FALSE(three.empty());
    std::filesystem::remove(folder.file("c.bmp"));
    EXPECT_FALSE(properties.load_skin(utf8_to_utf16(three), 96));

    // Cut short, of another kind of file, missing.
    std::string foreign = read_file(skin);
    write_file(folder.file("short.skin"), foreign.substr(0, 91));
    foreign[0] = 'X';
    write_file(folder.file("foreign.skin"), foreign);
    for (const char* name : {"short.skin", "foreign.skin", "missing.skin"})
        EXPECT_FALSE(properties.load_skin(utf8_to_utf16(folder.file(name)), 96)) << name;

    EXPECT_EQ(properties.find_block(u"Other"), nullptr);
    EXPECT_EQ(properties.get_int(properties.find_block(u"Main"), u"grow", 0), 7);

    // With the third picture back the skin loads and replaces the first.
    write_bmp565(folder.file("c.bmp"), 2, 2, WHITE, WHITE);
    ASSERT_TRUE(properties.load_skin(utf8_to_utf16(three), 96));
    EXPECT_EQ(properties.find_block(u"Main"), nullptr);
    EXPECT_NE(properties.find_block(u"Other"), nullptr);
}

TEST_F(PropertiesTest, NightColoursAndTheirUndoingByAReload)
{
    Properties properties;
    ASSERT_TRUE(load(properties));
    const SkinBlock* main = properties.find_block(u"Main");
    PictureRef frame = properties.get_picture(main, u"frame", {});
    properties.to_night_colors();

    // (77 * 200 + 151 * 100 + 28 * 50) >> 8
    EXPECT_EQ(properties.get_color(main, u"sky", {}), (Colour{124, 0, 0, 255}));
    EXPECT_EQ(frame.picture->pixels()->row(0)[0], TRANSPARENT_KEY);
    EXPECT_EQ(frame.picture->pixels()->row(1)[1], 0xF820);

    ASSERT_TRUE(load(properties));
    main = properties.find_block(u"Main");
    EXPECT_EQ(properties.get_color(main, u"sky", {}), (Colour{200, 100, 50, 255}));
    EXPECT_EQ(properties.get_picture(main, u"frame", {}).picture->pixels()->row(1)[1], WHITE);
}

class CountingListener : public PropertiesListener {
public:
    void reload_skin(Properties& properties) override
    {
        ++reloads;
        if (remove_on_reload)
            properties.remove_listener(remove_on_reload);
    }
    int reloads = 0;
    PropertiesListener* remove_on_reload = nullptr;
};

TEST_F(PropertiesTest, ReloadListenersAreToldAndMayLeaveMeanwhile)
{
    Properties properties;
    CountingListener first;
    CountingListener second;
    CountingListener third;
    properties.add_listener(&first);
    properties.add_listener(&second);
    properties.add_listener(&third);
    properties.add_listener(&first);
    first.remove_on_reload = &second;
    properties.send_reload_skin();
    EXPECT_EQ(first.reloads, 1);
    EXPECT_EQ(second.reloads, 0);
    EXPECT_EQ(third.reloads, 1);
    properties.remove_listener(&third);
    properties.send_reload_skin();
    EXPECT_EQ(first.reloads, 2);
    EXPECT_EQ(third.reloads, 1);
}

TEST_F(PropertiesTest, LanguageSurvivesSkinLoads)
{
    Properties properties;
    write_file(folder.file("test.lng"), "Sun=Soleil\n");
    ASSERT_TRUE(properties.load_language_file(utf8_to_utf16(folder.file("test.lng"))));
    ASSERT_TRUE(load(properties));
    EXPECT_EQ(properties.translate(u"Sun"), u"Soleil");
    EXPECT_EQ(properties.translate(u"Moon"), u"Moon");
    EXPECT_EQ(properties.translate_or(u"iso3166_FR", u""), u"");
}

} // namespace

} // namespace stellaro
