#pragma once
#include "fonts/font_handle.h"
#include "skin/props/language_table.h"
#include "skin/props/properties_impl.h"
#include "skin/props/skin_format.h"
#include "skin/surface/geometry.h"
#include "skin/surface/picture.h"
#include "skin/surface/pixel.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace stellaro {

class Properties;

// A property block of the loaded skin. Only ever handled through pointers that Properties gives
// out; they stay valid until the next successful load.
struct SkinBlock;

// Told when a new skin has been loaded, so that values taken from the old one are read again.
class PropertiesListener {
public:
    virtual ~PropertiesListener() = default;
    virtual void reload_skin(Properties& properties) = 0;
};

// The skin property registry: one loaded skin file, typed lookups by name with a default, and
// the language table of the interface.
class Properties {
public:
    Properties() = default;
    Properties(const Properties&) = delete;
    Properties& operator=(const Properties&) = delete;

    // Loads the skin file; on success it replaces the current skin, which is released. On
    // failure (unreadable, short, foreign or damaged file, a picture that does not load) the
    // current skin stays and the result names the file at fault and what was wrong with it.
    SkinLoad load_skin(std::u16string_view path, int32_t dots_per_inch);
    bool loaded() const { return current.loaded(); }
    // 1 on displays of 192 dots per inch or more (points and pictures are doubled), else 0.
    int32_t scale() const { return current.scale(); }

    // The block of the named node of the skin's tree; null when absent.
    const SkinBlock* find_block(std::u16string_view name) const;
    // The block starting at a file offset; null unless a block starts there.
    const SkinBlock* block_at(uint32_t offset) const;
    uint32_t child_count(const SkinBlock* block) const;
    // The index-th child block (index < child_count).
    const SkinBlock* child_block(const SkinBlock* block, uint32_t index) const;
    // True when the block has at least one record of the kind.
    bool has_records(const SkinBlock* block, skin_format::RecordKind kind) const;

    // Typed lookups in the block's own records of the kind; the default when the name is absent
    // or the block is null. Points and picture coordinates are shifted left by scale().
    int32_t get_int(const SkinBlock* block, std::u16string_view name, int32_t fallback) const;
    FontHandle get_font(const SkinBlock* block, std::u16string_view name, const FontHandle& fallback) const;
    Point get_point(const SkinBlock* block, std::u16string_view name, Point fallback) const;
    std::u16string get_string(const SkinBlock* block, std::u16string_view name, std::u16string_view fallback) const;
    PictureRef get_picture(const SkinBlock* block, std::u16string_view name, const PictureRef& fallback) const;
    Colour get_color(const SkinBlock* block, std::u16string_view name, Colour fallback) const;

    // Night mode: every picture and every colour of the skin turn to shades of red. Apply once
    // after a load; loading the skin again brings the day colours back.
    void to_night_colors();

    // Tells every listener to read its values again, then logs the time it took.
    void send_reload_skin();
    void add_listener(PropertiesListener* listener);
    void remove_listener(PropertiesListener* listener);

    // The language of the interface (it survives skin loads).
    LanguageLoad load_language_file(std::u16string_view path) { return language_table.load_language_file(path); }
    std::u16string translate(std::u16string_view key) const { return language_table.translate(key); }
    std::u16string translate_or(std::u16string_view key, std::u16string_view fallback) const
    {
        return language_table.translate_or(key, fallback);
    }
    LanguageTable& language() { return language_table; }
    const LanguageTable& language() const { return language_table; }

private:
    // The file offset of a block given out for the current skin; 0 for anything else.
    uint32_t offset_of(const SkinBlock* block) const;
    const SkinBlock* block_pointer(uint32_t offset) const;
    const uint8_t* find_record(const SkinBlock* block, skin_format::RecordKind kind, std::u16string_view name) const;

    PropertiesImpl current;
    std::vector<PropertiesListener*> listeners;
    bool sending = false;
    LanguageTable language_table;
};

} // namespace stellaro
