#include "skin/props/properties_impl.h"

#include "platform/clock.h"
#include "skin/io/file_stream.h"
#include "skin/io/log.h"
#include "skin/io/paths.h"
#include "skin/surface/load_565.h"

namespace stellaro {

namespace {

// Far beyond any real skin; a larger file is not read at all.
constexpr uint64_t MAX_SKIN_BYTES = 64u << 20;

int64_t milliseconds(const Stopwatch& timer) { return static_cast<int64_t>(timer.seconds() * 1000.0); }

// On high-resolution displays a picture may have a twin drawn at twice its size ("name@2x.bmp"),
// which replaces the magnified picture. A twin that is missing or not exactly twice the size is
// passed over; only then is the file read at all, so a skin without twins loads as before.
PictureRef double_density_twin(const std::u16string& name, Size size)
{
    if (!FileStream(name + u"@2x.bmp", FileStream::READ).is_open())
        return {};
    PictureRef twin = load_565(name + u"@2x");
    if (twin.empty() || twin.size() != Size{size.width * 2, size.height * 2}) {
        log() << "PropertiesImpl::PropertiesImpl picture twin passed over {" << name << "@2x}\n";
        return {};
    }
    twin.scale = -1;
    return twin;
}

} // namespace

PropertiesImpl::PropertiesImpl(std::u16string_view path, int32_t dots_per_inch, SkinLoad& outcome)
{
    outcome = {};
    outcome.file = native_path(path);
    FileStream stream(path, FileStream::READ);
    if (!stream.is_open()) {
        outcome.problem = "it cannot be read";
        return;
    }
    const uint64_t length = stream.size();
    std::string bytes;
    if (length > MAX_SKIN_BYTES) {
        log() << "Error: skin [" << path << "] failed to load\n";
        outcome.problem = "it is far larger than any skin";
        return;
    }
    bytes.resize(static_cast<size_t>(length));
    const size_t got = stream.read(bytes.data(), bytes.size());
    if (got < bytes.size()) {
        log() << "Error: skin [" << path << "] failed to load\n";
        bytes.resize(got);
    }
    std::string reason;
    if (!skin.open(std::move(bytes), reason)) {
        if (!reason.empty())
            log() << "Error: skin [" << path << "] is damaged: " << reason << "\n";
        outcome.problem = reason.empty() ? "it is not a skin (too short, or no skin mark)" : "it is damaged: " + reason;
        return;
    }
    high_resolution = dots_per_inch >= 192 ? 1 : 0;
    if (!load_pictures(path, outcome))
        return;
    create_fonts();
    is_loaded = true;
    outcome.loaded = true;
    outcome.file.clear();
}

bool PropertiesImpl::load_pictures(std::u16string_view path, SkinLoad& outcome)
{
    const Stopwatch timer;
    const std::u16string folder = dir_part(path);
    picture_table.reserve(skin.picture_names().size());
    for (const std::u16string& name : skin.picture_names()) {
        std::string problem;
        PictureRef picture = load_565(folder + name, &problem);
        if (picture.empty() || picture.size() == Size{0, 0}) {
            log() << "PropertiesImpl::PropertiesImpl picture failed to load {" << name << "}\n";
            outcome.file = native_path(folder + name + u".bmp");
            outcome.problem = problem;
            return false;
        }
        if (high_resolution != 0)
            if (PictureRef twin = double_density_twin(folder + name, picture.size()); !twin.empty())
                picture = std::move(twin);
        log() << "PropertiesImpl::PropertiesImpl picture load time=" << milliseconds(timer) << " {" << name << "}\n";
        picture_table.push_back(std::move(picture));
    }
    return true;
}

void PropertiesImpl::create_fonts()
{
    const Stopwatch timer;
    font_table.reserve(skin.font_descriptions().size());
    for (const std::u16string& text : skin.font_descriptions()) {
        FontDesc desc = default_font_desc(1 << high_resolution);
        parse_font_desc(text, desc);
        font_table.emplace_back(desc);
    }
    log() << "PropertiesImpl::PropertiesImpl fonts create time=" << milliseconds(timer) << "\n";
}

void PropertiesImpl::swap(PropertiesImpl& other) noexcept
{
    std::swap(skin, other.skin);
    std::swap(picture_table, other.picture_table);
    std::swap(font_table, other.font_table);
    std::swap(high_resolution, other.high_resolution);
    std::swap(is_loaded, other.is_loaded);
}

} // namespace stellaro
