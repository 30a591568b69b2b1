// Skin files through the full load (the file is checked, its pictures and fonts made ready),
// then every value of every block looked up as the elements do. The skin is read from a path
// whose folder holds the real skin pictures, so a skin naming them loads as a whole.
#include "fuzz_support.h"

#include "platform/utf.h"
#include "skin/props/properties.h"
#include "skin/props/skin_file.h"

#include <filesystem>
#include <set>
#include <string>

namespace {

using namespace stellaro;

std::string skin_folder()
{
    static const std::string folder = [] {
        const std::string made = fuzz_folder() + "/skin";
        std::filesystem::create_directory(made);
        const std::filesystem::path pictures = utf16_to_utf8(fuzz_data_path(u"skins/bin"));
        std::error_code missing;
        for (const auto& entry : std::filesystem::directory_iterator(pictures, missing))
            if (entry.path().extension() == ".bmp")
                std::filesystem::create_symlink(entry.path(), made / entry.path().filename());
        return made;
    }();
    return folder;
}

// Every block once, however many parents share it, with every name it holds asked for as
// every type.
void look_up(const Properties& properties, const SkinFile& file, uint32_t offset, std::set<uint32_t>& seen)
{
    if (!seen.insert(offset).second)
        return;
    const SkinBlock* block = properties.block_at(offset);
    if (!block)
        std::abort(); // a checked block the registry does not know
    for (int kind = 0; kind < skin_format::KIND_COUNT; ++kind) {
        const auto record_kind = static_cast<skin_format::RecordKind>(kind);
        for (uint32_t index = 0; index < file.record_count(offset, record_kind); ++index) {
            const uint8_t* record = file.record(offset, record_kind, index);
            const std::u16string key = file.name_at(skin_format::load16(record));
            properties.get_int(block, key, 0);
            properties.get_point(block, key, {});
            properties.get_string(block, key, u"");
            properties.get_picture(block, key, {});
            properties.get_color(block, key, {});
        }
    }
    for (uint32_t index = 0; index < file.child_count(offset); ++index)
        look_up(properties, file, file.child(offset, index), seen);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = skin_folder() + "/fuzz.skin";
    write_scratch_file("skin/fuzz.skin", data, size);
    Properties properties;
    if (!properties.load_skin(utf8_to_utf16(path), 96))
        return 0;
    SkinFile file;
    std::string reason;
    if (!file.open(std::string(reinterpret_cast<const char*>(data), size), reason))
        std::abort(); // the load took what the file check refuses
    std::set<uint32_t> seen;
    for (const auto& [name, offset] : file.tree_entries()) {
        // A loaded tree is in name order, so the search finds every entry, at a checked block.
        const SkinBlock* found = properties.find_block(name);
        if (!found || found != properties.block_at(file.find_block(name)))
            std::abort();
        look_up(properties, file, offset, seen);
    }
    properties.to_night_colors();
    return 0;
}
