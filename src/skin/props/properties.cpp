#include "skin/props/properties.h"

#include "platform/clock.h"
#include "skin/io/log.h"

#include <algorithm>

namespace stellaro {

using namespace skin_format;

SkinLoad Properties::load_skin(std::u16string_view path, int32_t dots_per_inch)
{
    log() << "Properties::load_skin 1\n";
    SkinLoad outcome;
    PropertiesImpl fresh(path, dots_per_inch, outcome);
    log() << "Properties::load_skin 2\n";
    if (!fresh.loaded())
        return outcome;
    log() << "Properties::load_skin 3\n";
    current.swap(fresh);
    return outcome;
}

uint32_t Properties::offset_of(const SkinBlock* block) const
{
    if (!block || !current.loaded())
        return 0;
    const auto address = reinterpret_cast<uintptr_t>(block);
    const auto start = reinterpret_cast<uintptr_t>(current.file().data());
    if (address < start || address - start >= current.file().size())
        return 0;
    const auto offset = static_cast<uint32_t>(address - start);
    return current.file().is_block(offset) ? offset : 0;
}

const SkinBlock* Properties::block_pointer(uint32_t offset) const
{
    return offset == 0 ? nullptr : reinterpret_cast<const SkinBlock*>(current.file().data() + offset);
}

const SkinBlock* Properties::find_block(std::u16string_view name) const
{
    return block_pointer(current.file().find_block(name));
}

const SkinBlock* Properties::block_at(uint32_t offset) const
{
    return current.loaded() && current.file().is_block(offset) ? block_pointer(offset) : nullptr;
}

uint32_t Properties::child_count(const SkinBlock* block) const
{
    const uint32_t offset = offset_of(block);
    return offset ? current.file().child_count(offset) : 0;
}

const SkinBlock* Properties::child_block(const SkinBlock* block, uint32_t index) const
{
    const uint32_t offset = offset_of(block);
    if (!offset || index >= current.file().child_count(offset))
        return nullptr;
    return block_pointer(current.file().child(offset, index));
}

bool Properties::has_records(const SkinBlock* block, RecordKind kind) const
{
    const uint32_t offset = offset_of(block);
    return offset && current.file().record_count(offset, kind) > 0;
}

const uint8_t* Properties::find_record(const SkinBlock* block, RecordKind kind, std::u16string_view name) const
{
    const uint32_t offset = offset_of(block);
    return offset ? current.file().find_record(offset, kind, name) : nullptr;
}

int32_t Properties::get_int(const SkinBlock* block, std::u16string_view name, int32_t fallback) const
{
    const uint8_t* record = find_record(block, INTEGER, name);
    return record ? static_cast<int32_t>(load32(record + INTEGER_VALUE)) : fallback;
}

FontHandle Properties::get_font(const SkinBlock* block, std::u16string_view name, const FontHandle& fallback) const
{
    const uint8_t* record = find_record(block, FONT, name);
    return record ? current.fonts()[load32(record + FONT_INDEX)] : fallback;
}

Point Properties::get_point(const SkinBlock* block, std::u16string_view name, Point fallback) const
{
    const uint8_t* record = find_record(block, POINT, name);
    if (!record)
        return fallback;
    const int32_t s = current.scale();
    return {static_cast<int16_t>(load16(record + POINT_X)) * (1 << s),
            static_cast<int16_t>(load16(record + POINT_X + 2)) * (1 << s)};
}

std::u16string Properties::get_string(const SkinBlock* block, std::u16string_view name,
                                      std::u16string_view fallback) const
{
    const uint8_t* record = find_record(block, STRING, name);
    return record ? current.file().strings()[load16(record + STRING_INDEX)] : std::u16string(fallback);
}

PictureRef Properties::get_picture(const SkinBlock* block, std::u16string_view name, const PictureRef& fallback) const
{
    const uint8_t* record = find_record(block, PICTURE, name);
    if (!record)
        return fallback;
    const int32_t s = current.scale();
    const auto coordinate = [&](int i) { return static_cast<int32_t>(load16(record + PICTURE_POINTS + 2 * i)) << s; };
    PictureRef picture;
    picture.p0 = {coordinate(0), coordinate(1)};
    picture.p1 = {coordinate(2), coordinate(3)};
    picture.p2 = {coordinate(4), coordinate(5)};
    picture.p3 = {coordinate(6), coordinate(7)};
    const PictureRef& loaded = current.pictures()[record[PICTURE_INDEX]];
    picture.picture = loaded.picture;
    picture.scale = s + loaded.scale;
    picture.flag = record[PICTURE_FLAG];
    return picture;
}

Colour Properties::get_color(const SkinBlock* block, std::u16string_view name, Colour fallback) const
{
    const uint8_t* record = find_record(block, COLOUR, name);
    if (!record)
        return fallback;
    return {record[COLOUR_RGB], record[COLOUR_RGB + 1], record[COLOUR_RGB + 2], 255};
}

void Properties::to_night_colors()
{
    for (const PictureRef& picture : current.pictures())
        picture.picture->to_night();
    if (!current.file().convert_colours_to_night())
        log() << "Properties::to_night_colors the skin's colours overlap its structure; kept as they are\n";
}

void Properties::send_reload_skin()
{
    const Stopwatch timer;
    // Listeners may come and go while they reload (screens rebuild their children): the ones
    // removed meanwhile are skipped, the ones added have read the new skin already.
    const bool nested = sending;
    sending = true;
    const size_t count = listeners.size();
    for (size_t i = 0; i < count && i < listeners.size(); ++i) {
        if (listeners[i])
            listeners[i]->reload_skin(*this);
    }
    sending = nested;
    if (!sending)
        std::erase(listeners, nullptr);
    log() << "PropertiesImpl::send_reload_skin the rest time=" << static_cast<int64_t>(timer.seconds() * 1000.0)
          << "\n";
}

void Properties::add_listener(PropertiesListener* listener)
{
    if (listener && std::find(listeners.begin(), listeners.end(), listener) == listeners.end())
        listeners.push_back(listener);
}

void Properties::remove_listener(PropertiesListener* listener)
{
    const auto found = std::find(listeners.begin(), listeners.end(), listener);
    if (found == listeners.end())
        return;
    if (sending)
        *found = nullptr;
    else
        listeners.erase(found);
}

} // namespace stellaro
