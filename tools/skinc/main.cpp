// The skin compiler: turns a readable skin source into the compiled skin file the program loads,
// copying the pictures it names beside it, and dumps compiled skins back as source.
//
//     stellaro_skinc compile SOURCE OUTPUT [DEPFILE]
//         pictures are looked for beside SOURCE, then beside OUTPUT; DEPFILE receives the files
//         the skin was made from, for the build's dependency tracking
//     stellaro_skinc dump SKIN [OUTPUT]
#include "platform/utf.h"
#include "skin_dump.h"
#include "skin_source.h"
#include "skin_writer.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

namespace stellaro {

namespace fs = std::filesystem;

namespace {

bool read_file(const fs::path& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream text;
    text << in.rdbuf();
    bytes = text.str();
    return !in.bad();
}

bool write_file(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

// Width and height of a 16-bit BMP file, as the program will read it.
bool bitmap_size(const fs::path& path, uint16_t& width, uint16_t& height, std::string& error)
{
    std::string bytes;
    if (!read_file(path, bytes) || bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') {
        error = "is not a BMP file";
        return false;
    }
    const auto field = [&](size_t at) {
        return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8 |
                                     static_cast<uint8_t>(bytes[at + 2]) << 16 |
                                     static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3])) << 24);
    };
    const auto bits = static_cast<uint16_t>(static_cast<uint8_t>(bytes[28]) | static_cast<uint8_t>(bytes[29]) << 8);
    if (bits != 16) {
        error = "has " + std::to_string(bits) + " bits per pixel, not 16";
        return false;
    }
    const auto w = static_cast<int32_t>(field(18));
    const auto h = static_cast<int32_t>(field(22));
    const int64_t rows = h < 0 ? -static_cast<int64_t>(h) : h;
    if (w <= 0 || rows == 0 || w > 65535 || rows > 65535) {
        error = "has an unusable size";
        return false;
    }
    width = static_cast<uint16_t>(w);
    height = static_cast<uint16_t>(rows);
    return true;
}

// Finds every picture beside the source (copied next to the output) or the output, and fills
// in the points of whole pictures.
bool resolve_pictures(SourceBlock& block, const fs::path& source_dir, const fs::path& output_dir,
                      const std::string& source_name, std::vector<fs::path>& used, std::string& error)
{
    for (SourceProperty& property : block.properties) {
        if (property.kind != skin_format::PICTURE)
            continue;
        PictureValue& picture = property.picture;
        const std::string file = utf16_to_utf8(picture.file) + ".bmp";
        const std::string where = source_name + ":" + std::to_string(property.line) + ": picture \"" + file + "\" ";
        const fs::path beside_source = source_dir / file;
        const fs::path beside_output = output_dir / file;
        std::error_code failure;
        if (fs::exists(beside_source)) {
            std::string content;
            std::string present;
            if (!read_file(beside_source, content)) {
                error = where + "cannot be read";
                return false;
            }
            if (!fs::equivalent(beside_source, beside_output, failure) &&
                (!read_file(beside_output, present) || present != content)) {
                fs::create_directories(beside_output.parent_path(), failure);
                if (!write_file(beside_output, content)) {
                    error = where + "cannot be copied to " + beside_output.string();
                    return false;
                }
            }
            used.push_back(beside_source);
        } else if (fs::exists(beside_output)) {
            used.push_back(beside_output);
        } else {
            error = where + "is neither beside the source nor beside the skin";
            return false;
        }
        uint16_t width = 0;
        uint16_t height = 0;
        std::string reason;
        if (!bitmap_size(beside_output, width, height, reason)) {
            error = where + reason;
            return false;
        }
        if (picture.whole) {
            const uint16_t whole[8] = {0, 0, 0, 0, width, height, width, height};
            std::copy(whole, whole + 8, picture.points);
            picture.whole = false;
        } else if (picture.points[6] > width || picture.points[7] > height) {
            error = where + "is only " + std::to_string(width) + " x " + std::to_string(height);
            return false;
        }
    }
    for (SourceBlock& child : block.children) {
        if (!resolve_pictures(child, source_dir, output_dir, source_name, used, error))
            return false;
    }
    return true;
}

// A make-style rule: the output depends on the source and on every picture it names.
std::string dependency_rule(const fs::path& output, const fs::path& source, const std::vector<fs::path>& pictures)
{
    const auto escaped = [](const fs::path& path) {
        std::string text;
        for (const char c : fs::absolute(path).lexically_normal().string()) {
            if (c == ' ' || c == '#')
                text += '\\';
            if (c == '$')
                text += '$';
            text += c;
        }
        return text;
    };
    std::string rule = escaped(output) + ":";
    rule += " " + escaped(source);
    for (const fs::path& picture : pictures)
        rule += " \\\n  " + escaped(picture);
    return rule + "\n";
}

int compile(const fs::path& source_path, const fs::path& output_path, const fs::path& depfile)
{
    std::string text;
    if (!read_file(source_path, text)) {
        std::cerr << source_path.string() << ": cannot be read\n";
        return 1;
    }
    SkinSource skin;
    std::string error;
    const std::string source_name = source_path.string();
    if (!parse_skin_source(text, source_name, skin, error)) {
        std::cerr << error << "\n";
        return 1;
    }
    fs::path output_dir = output_path.parent_path();
    if (output_dir.empty())
        output_dir = ".";
    std::error_code failure;
    fs::create_directories(output_dir, failure);
    std::vector<fs::path> used;
    for (SourceNode& node : skin.nodes) {
        if (!resolve_pictures(node.block, source_path.parent_path().empty() ? "." : source_path.parent_path(), output_dir,
                              source_name, used, error)) {
            std::cerr << error << "\n";
            return 1;
        }
    }
    std::string bytes;
    if (!write_skin(skin, bytes, error)) {
        std::cerr << source_name << ": " << error << "\n";
        return 1;
    }
    if (!write_file(output_path, bytes)) {
        std::cerr << output_path.string() << ": cannot be written\n";
        return 1;
    }
    std::sort(used.begin(), used.end());
    used.erase(std::unique(used.begin(), used.end()), used.end());
    if (!depfile.empty() && !write_file(depfile, dependency_rule(output_path, source_path, used))) {
        std::cerr << depfile.string() << ": cannot be written\n";
        return 1;
    }
    return 0;
}

int dump(const fs::path& skin_path, const fs::path& output_path)
{
    std::string bytes;
    if (!read_file(skin_path, bytes)) {
        std::cerr << skin_path.string() << ": cannot be read\n";
        return 1;
    }
    SkinFile skin;
    std::string reason;
    if (!skin.open(std::move(bytes), reason)) {
        std::cerr << skin_path.string() << ": " << (reason.empty() ? "not a skin file" : reason) << "\n";
        return 1;
    }
    const std::string text = dump_skin(skin);
    if (output_path.empty()) {
        std::cout << text;
        return std::cout ? 0 : 1;
    }
    if (!write_file(output_path, text)) {
        std::cerr << output_path.string() << ": cannot be written\n";
        return 1;
    }
    return 0;
}

} // namespace

} // namespace stellaro

using namespace stellaro;

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "compile" && (argc == 4 || argc == 5))
        return compile(argv[2], argv[3], argc == 5 ? argv[4] : "");
    if (command == "dump" && (argc == 3 || argc == 4))
        return dump(argv[2], argc == 4 ? argv[3] : "");
    std::cerr << "usage: stellaro_skinc compile SOURCE OUTPUT [DEPFILE]\n"
                 "       stellaro_skinc dump SKIN [OUTPUT]\n";
    return 2;
}
