#include "skin/props/skin_file.h"
#include "support/compiled_skin.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace stellaro {

namespace {

namespace fs = std::filesystem;

const std::string SKIN_SOURCES = STELLARO_TEST_DATA "/../../data/skins";
const std::string SKIN_BIN = STELLARO_APP_DIR "/skins/bin";

std::string quote(const std::string& path) { return "'" + path + "'"; }

// Compiles the text of a source and gives the compiler's complaint.
std::string compile_error(const std::string& source)
{
    TemporaryFolder folder;
    write_file(folder.file("bad.sks"), source);
    const CompilerRun run =
        run_skin_compiler("compile " + quote(folder.file("bad.sks")) + " " + quote(folder.file("bad.skin")));
    EXPECT_NE(run.status, 0);
    EXPECT_FALSE(fs::exists(folder.file("bad.skin")));
    const size_t at = run.err.find("bad.sks:");
    return at == std::string::npos ? run.err : run.err.substr(at);
}

// Dumps the compiled skin and compiles the dump beside it (where its pictures are): the same bytes.
void expect_round_trip(const std::string& compiled)
{
    SCOPED_TRACE(compiled);
    TemporaryFolder folder;
    const std::string dumped = folder.file("dumped.sks");
    const std::string again = compiled + ".again.skin";
    ASSERT_EQ(run_skin_compiler("dump " + quote(compiled) + " " + quote(dumped)).status, 0);
    const CompilerRun compile = run_skin_compiler("compile " + quote(dumped) + " " + quote(again));
    ASSERT_EQ(compile.status, 0) << compile.err;
    EXPECT_EQ(read_file(again), read_file(compiled));
    fs::remove(again);
}

TEST(SkinCompiler, EverySkinOfTheProgramRoundTrips)
{
    size_t skins = 0;
    for (const auto& entry : fs::directory_iterator(SKIN_SOURCES))
        if (entry.path().extension() == ".sks") {
            ++skins;
            expect_round_trip(SKIN_BIN + "/" + entry.path().stem().string() + ".skin");
        }
    EXPECT_GE(skins, 2u);
}

// Every kind of value, with the escapes of strings; the same written differently (another order,
// byte-order mark, CRLF, hexadecimal and signed numbers) compiles to the same bytes.
TEST(SkinCompiler, EveryKindOfValueRoundTripsWhateverTheOrderOfTheSource)
{
    TemporaryFolder folder;
    write_bmp565(folder.file("p.bmp"), 4, 4, 0, 0);
    const std::string a = compile_skin(folder.path(), "a",
                                       "node \"two words\" {\n"
                                       "  int i = 5\n  font f = \"9 0 0 1 DejaVu Sans\"\n  point p = -1, 2\n"
                                       "  string s = \"quote \\\" slash \\\\ tab\\t \u041b\u0443\u043d\u0430 \\u0001\"\n"
                                       "  picture q = \"p\" 0,0 1,1 3,3 4,4 flag 7\n  color c = #0A0b0C\n"
                                       "  child { string id = \"#text\" }\n}\nnode B { int k = 3 }\n");
    const std::string b = compile_skin(folder.path(), "b",
                                       "\xEF\xBB\xBF// the same\r\nnode B { int k = 0x3 }\r\n"
                                       "node \"two words\" { child { string id = \"#text\" } color c = #0A0b0C int i = +5\n"
                                       "  string s = \"quote \\\" slash \\\\ tab\\t \u041b\u0443\u043d\u0430 \\u0001\"\n"
                                       "  picture q = \"p\" 0,0 1,1 3,3 4,4 flag 7 point p = -1, 2 font f = \"9 0 0 1 DejaVu Sans\" }\n");
    ASSERT_FALSE(a.empty());
    EXPECT_EQ(read_file(a), read_file(b));
    expect_round_trip(a);
}

TEST(SkinCompiler, WritesTheNamesInTheOrderTheLoaderSearches)
{
    TemporaryFolder folder;
    std::string source;
    for (int i = 0; i < 100; ++i)
        source += "node n" + std::to_string(i) + " { int v = " + std::to_string(i) + " child { } }\n";
    const std::string path = compile_skin(folder.path(), "many", source);
    ASSERT_FALSE(path.empty());
    SkinFile skin;
    std::string reason;
    ASSERT_TRUE(skin.open(read_file(path), reason)) << reason;
    const auto entries = skin.tree_entries();
    ASSERT_EQ(entries.size(), 100u);
    for (size_t i = 1; i < entries.size(); ++i)
        EXPECT_LT(compare_skin_names(entries[i - 1].first, entries[i].first), 0);
}

TEST(SkinCompiler, ReportsSourceErrorsWithFileAndLine)
{
    const std::pair<std::string, std::string> cases[] = {
        {"node A {\n  int x = 1\n  int x = 2\n}\n", "3: int \"x\" is given twice in this block"},
        {"node A {}\nnode A {}\n", "2: node \"A\" is defined twice"},
        {"node A {\n  point p = 1\n}\n", "3: expected \",\" before \"}\""},
        {"node A {\n\n  point p = 1, 40000\n}\n", "3: 40000 is outside -32768..32767"},
        {"node A {\n  font f = \"Tahoma\"\n}\n", "2: font \"Tahoma\" is not \"size bold italic underline face\""},
        {"node A {\n  int i = 1\n", "3: block opened on line 1 is not closed"},
        {"node A {\n  string s = \"open\n}\n", "2: string not closed"},
        {"node A {\n  picture p = \"absent\"\n}\n",
         "2: picture \"absent.bmp\" is neither beside the source nor beside the skin"},
        {"node A {\n  picture p = \"x\" 0,0 2,2 1,1 3,3\n}\n", "2: picture points must not decrease from p0 to p3"},
    };
    for (const auto& [source, message] : cases)
        EXPECT_EQ(compile_error(source), "bad.sks:" + message + "\n");
    std::string long_names = "node A {\n";
    for (int i = 0; i < 700; ++i)
        long_names += "  int " + std::string(50, 'a') + std::to_string(i) + " = 1\n";
    EXPECT_EQ(compile_error(long_names + "}\n"), "bad.sks: the names take more than the first 64 KB of the file\n");
}

TEST(SkinCompiler, CopiesThePicturesBesideTheSkinAndNamesThemForTheBuild)
{
    TemporaryFolder source;
    TemporaryFolder output;
    write_bmp565(source.file("knob.bmp"), 12, 7, 0x07E0, 0x07E0);
    write_file(source.file("knob.sks"), "node A { picture p = \"knob\" }\nnode B { picture p = \"knob\" 0,0 1,1 11,6 12,7 }\n");
    const CompilerRun run = run_skin_compiler("compile " + quote(source.file("knob.sks")) + " " +
                                              quote(output.file("knob.skin")) + " " + quote(output.file("knob.d")));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(read_file(output.file("knob.bmp")), read_file(source.file("knob.bmp")));
    // The build is told what the skin was made from, each picture once.
    EXPECT_EQ(read_file(output.file("knob.d")), output.file("knob.skin") + ": " + source.file("knob.sks") + " \\\n  " +
                                                    source.file("knob.bmp") + "\n");
}

} // namespace

} // namespace stellaro
