#include "platform/utf.h"
#include "skin/props/properties.h"
#include "support/compiled_skin.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

namespace stellaro {

namespace {

constexpr Pixel WHITE = 0xFFFF;

// A value of each kind, a name that is a prefix of others, children, and enough nodes to make
// the tree several levels deep.
std::string sample_source()
{
    std::string source = R"(
node Main {
    int grow = 7
    int grow_min = -3
    point offset = 10, -3
    string title = "Sky map"
    color sky = #C86432
    font font = "10 1 0 0 Tahoma"
    picture frame = "frame" 1,1 3,3 5,5 8,6 flag 2
    picture whole = "frame"
    child { string id = "first" }
    child {
        child { string id = "inner" }
    }
}
node grow { int grow = 1 }
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
        ASSERT_TRUE(load());
        main = properties.find_block(u"Main");
        ASSERT_NE(main, nullptr);
    }

    bool load(int32_t dpi = 96) { return properties.load_skin(utf8_to_utf16(skin), dpi).loaded; }

    TemporaryFolder folder;
    std::string skin;
    Properties properties;
    const SkinBlock* main = nullptr;
};

TEST_F(PropertiesTest, TreeLookupFindsEveryNodeAndNoOtherAndChildrenComeInOrder)
{
    for (int i = 0; i < 40; ++i) {
        const SkinBlock* block = properties.find_block(u"n" + utf8_to_utf16(std::to_string(100 + i)));
        EXPECT_EQ(properties.get_int(block, u"index", -1), i);
    }
    for (const char16_t* absent : {u"", u"Mai", u"Main2", u"main", u"n99", u"n140", u"zzz"})
        EXPECT_EQ(properties.find_block(absent), nullptr) << utf16_to_utf8(absent);
    EXPECT_EQ(properties.get_int(properties.find_block(u"grow"), u"grow", 0), 1);
    // Children come in order.
    ASSERT_EQ(properties.child_count(main), 2u);
    EXPECT_EQ(properties.get_string(properties.child_block(main, 0), u"id", u""), u"first");
    const SkinBlock* second = properties.child_block(main, 1);
    EXPECT_EQ(properties.get_string(properties.child_block(second, 0), u"id", u""), u"inner");
    EXPECT_EQ(properties.child_block(main, 2), nullptr);
}

TEST_F(PropertiesTest, TypedLookupsMatchWholeNamesOfTheirOwnKindOrGiveTheFallback)
{
    for (const auto& [name, fallback, expected] : {std::tuple{u"grow", 0, 7}, {u"grow_min", 0, -3}, {u"gro", 11, 11},
                                                   {u"grow_", 12, 12}, {u"title", 13, 13}})
        EXPECT_EQ(properties.get_int(main, name, fallback), expected) << utf16_to_utf8(name);
    EXPECT_EQ(std::tuple(properties.get_point(main, u"offset", {}), properties.get_string(main, u"title", u""),
                         properties.get_color(main, u"sky", {})),
              std::tuple(Point{10, -3}, std::u16string(u"Sky map"), Colour{200, 100, 50, 255}));
    EXPECT_EQ(std::tuple(properties.get_point(main, u"nothing", {4, 5}), properties.get_string(nullptr, u"title", u"d"),
                         properties.get_color(main, u"sea", {1, 2, 3, 4})),
              std::tuple(Point{4, 5}, std::u16string(u"d"), Colour{1, 2, 3, 4}));

    const FontHandle font = properties.get_font(main, u"font", FontHandle());
    ASSERT_TRUE(font);
    EXPECT_EQ(std::tuple(font->description().size, font->description().bold, font->description().face),
              std::tuple(10, 1, std::u16string(u"Tahoma")));
    const FontHandle fallback = FontHandle::default_font();
    EXPECT_EQ(properties.get_font(main, u"title", fallback), fallback);

    const PictureRef frame = properties.get_picture(main, u"frame", {});
    ASSERT_FALSE(frame.empty());
    EXPECT_EQ(std::tuple(frame.p0, frame.p1, frame.p2, frame.p3, frame.flag, frame.picture->size()),
              std::tuple(Point{1, 1}, Point{3, 3}, Point{5, 5}, Point{8, 6}, 2, Size{8, 6}));
    // A picture named twice is loaded once.
    EXPECT_EQ(properties.get_picture(main, u"whole", {}).picture, frame.picture);
    EXPECT_TRUE(properties.get_picture(main, u"other", {}).empty());
}

TEST_F(PropertiesTest, HighResolutionDoublesPointsAndPicturesButNotIntegers)
{
    ASSERT_TRUE(load(192));
    main = properties.find_block(u"Main");
    EXPECT_EQ(properties.get_point(main, u"offset", {}), (Point{20, -6}));
    EXPECT_EQ(properties.get_int(main, u"grow", 0), 7);
    const PictureRef frame = properties.get_picture(main, u"frame", {});
    EXPECT_EQ(std::tuple(frame.p0, frame.p3, frame.scale), std::tuple(Point{2, 2}, Point{16, 12}, 1));
    EXPECT_EQ(properties.get_font(main, u"font", FontHandle())->description().scale, 2);
}

TEST_F(PropertiesTest, HighResolutionTakesAPictureTwinOfTwiceTheSizeInsteadOfMagnifying)
{
    write_bmp565(folder.file("frame@2x.bmp"), 16, 12, WHITE, TRANSPARENT_KEY);
    ASSERT_TRUE(load(192));
    main = properties.find_block(u"Main");
    const PictureRef frame = properties.get_picture(main, u"frame", {});
    EXPECT_EQ(std::tuple(frame.p0, frame.p3, frame.scale, frame.picture->size()),
              std::tuple(Point{2, 2}, Point{16, 12}, 0, Size{16, 12}));
    // Normal displays keep the picture itself.
    ASSERT_TRUE(load(96));
    EXPECT_EQ(properties.get_picture(properties.find_block(u"Main"), u"frame", {}).picture->size(), (Size{8, 6}));

    // A twin of another size is passed over: the picture is magnified as before.
    write_bmp565(folder.file("frame@2x.bmp"), 15, 12, WHITE, TRANSPARENT_KEY);
    ASSERT_TRUE(load(192));
    const PictureRef magnified = properties.get_picture(properties.find_block(u"Main"), u"frame", {});
    EXPECT_EQ(std::tuple(magnified.scale, magnified.picture->size()), std::tuple(1, Size{8, 6}));
}

TEST_F(PropertiesTest, FailedLoadsKeepThePreviousSkin)
{
    write_bmp565(folder.file("a.bmp"), 2, 2, WHITE, WHITE);
    const std::string other = compile_skin(folder.path(), "other", "node Other { picture a = \"a\" }");
    std::filesystem::remove(folder.file("a.bmp"));

    // A picture missing, cut short, of another kind of file, missing.
    std::string foreign = read_file(skin);
    write_file(folder.file("short.skin"), foreign.substr(0, 91));
    foreign[0] = 'X';
    write_file(folder.file("foreign.skin"), foreign);
    for (const std::string& path : {other, folder.file("short.skin"), folder.file("foreign.skin"), folder.file("no.skin")})
        EXPECT_FALSE(properties.load_skin(utf8_to_utf16(path), 96)) << path;
    EXPECT_EQ(properties.get_int(properties.find_block(u"Main"), u"grow", 0), 7);

    // With the picture back the skin loads and replaces the first.
    write_bmp565(folder.file("a.bmp"), 2, 2, WHITE, WHITE);
    ASSERT_TRUE(properties.load_skin(utf8_to_utf16(other), 96));
    EXPECT_EQ(properties.find_block(u"Main"), nullptr);
}

TEST_F(PropertiesTest, NightColoursAreUndoneByAReloadAndTheLanguageSurvivesIt)
{
    write_file(folder.file("test.lng"), "Sun=Soleil\n");
    ASSERT_TRUE(properties.load_language_file(utf8_to_utf16(folder.file("test.lng"))));
    PictureRef frame = properties.get_picture(main, u"frame", {});
    properties.to_night_colors();
    // (77 * 200 + 151 * 100 + 28 * 50) >> 8; the transparent key stays.
    EXPECT_EQ(properties.get_color(main, u"sky", {}), (Colour{124, 0, 0, 255}));
    EXPECT_EQ(frame.picture->pixels()->row(0)[0], TRANSPARENT_KEY);
    EXPECT_EQ(frame.picture->pixels()->row(1)[1], 0xF820);

    ASSERT_TRUE(load());
    main = properties.find_block(u"Main");
    EXPECT_EQ(properties.get_color(main, u"sky", {}), (Colour{200, 100, 50, 255}));
    EXPECT_EQ(properties.get_picture(main, u"frame", {}).picture->pixels()->row(1)[1], WHITE);
    EXPECT_EQ(properties.translate(u"Sun"), u"Soleil");
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

TEST_F(PropertiesTest, ReloadListenersAreToldOnceAndMayLeaveMeanwhile)
{
    CountingListener first;
    CountingListener second;
    CountingListener third;
    for (CountingListener* listener : {&first, &second, &third, &first})
        properties.add_listener(listener);
    first.remove_on_reload = &second;
    properties.send_reload_skin();
    EXPECT_EQ(std::tuple(first.reloads, second.reloads, third.reloads), std::tuple(1, 0, 1));
    properties.remove_listener(&third);
    properties.send_reload_skin();
    EXPECT_EQ(std::tuple(first.reloads, third.reloads), std::tuple(2, 1));
}

} // namespace

} // namespace stellaro
