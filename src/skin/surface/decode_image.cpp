#include "skin/surface/decode_image.h"

#include "skin/io/log.h"

#include <png.h>
// jpeglib.h needs size_t and FILE declared first.
#include <cstdio>
#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <vector>

namespace stellaro {

namespace {

constexpr size_t READ_CHUNK = 4096;
constexpr uint32_t MAX_SIDE = 10000;

// The stream seen through one fixed buffer, with the first bytes kept for telling formats apart.
class ByteSource {
public:
    explicit ByteSource(InputStream& stream) : stream(stream) {}

    // Reads the first bytes into the buffer without consuming them.
    size_t peek(size_t count)
    {
        count = std::min(count, READ_CHUNK);
        while (held < count) {
            const size_t got = stream.read(chunk + held, count - held);
            if (got == 0)
                break;
            held += got;
        }
        return held;
    }
    const uint8_t* peeked() const { return chunk; }

    // Copies exactly count bytes; false when the stream ends first.
    bool read(uint8_t* out, size_t count)
    {
        while (count > 0) {
            if (at == held && !refill())
                return false;
            const size_t part = std::min(count, held - at);
            std::memcpy(out, chunk + at, part);
            out += part;
            at += part;
            count -= part;
        }
        return true;
    }

    // The unread bytes of the buffer, refilled from the stream when empty; false at the end.
    bool next_block(const uint8_t*& data, size_t& count)
    {
        if (at == held && !refill())
            return false;
        data = chunk + at;
        count = held - at;
        at = held;
        return true;
    }

    bool skip(uint64_t count) { return stream.skip(count) == count; }

private:
    bool refill()
    {
        at = 0;
        held = stream.read(chunk, READ_CHUNK);
        return held > 0;
    }

    InputStream& stream;
    uint8_t chunk[READ_CHUNK];
    size_t held = 0;
    size_t at = 0;
};

void log_size(uint32_t width, uint32_t height)
{
    log() << "bmp: Width=" << width << " Height=" << height << " bmBitsPixel=" << 16 << " bmPlanes=" << 1 << "\n";
}

// ---- PNG

struct PngJob {
    ByteSource& source;
    std::unique_ptr<PixelBuffer> buffer;
    std::vector<png_byte> rows;
};

void png_failed(png_structp png, png_const_charp message)
{
    log() << "decode_image: PNG " << (message ? message : "error") << "\n";
    png_longjmp(png, 1);
}

void png_warned(png_structp, png_const_charp) {}

void png_read_bytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
    if (!job->source.read(data, length))
        png_error(png, "data truncated");
}

Pixel premultiplied(const png_byte* rgba)
{
    const uint32_t a = rgba[3];
    auto mix = [a](uint32_t c) { return static_cast<uint8_t>((c * a + 127) / 255); };
    return rgb565(mix(rgba[0]), mix(rgba[1]), mix(rgba[2]));
}

// Runs libpng; nothing with a destructor is created between setjmp and the end.
bool run_png(PngJob& job)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, png_failed, png_warned);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &job, png_read_bytes);
    png_set_user_limits(png, MAX_SIDE, MAX_SIDE);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != width * 4)
        png_error(png, "unexpected row layout");
    log_size(width, height);
    job.buffer = PixelBuffer::create(Size{static_cast<int32_t>(width), static_cast<int32_t>(height)});
    if (!job.buffer)
        png_error(png, "no memory for the pixels");
    // Interlaced images are gathered whole; others go row by row.
    job.rows.resize(static_cast<size_t>(width) * 4 * (passes > 1 ? height : 1));
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y) {
            png_byte* rgba = job.rows.data() + (passes > 1 ? static_cast<size_t>(y) * width * 4 : 0);
            png_read_row(png, rgba, nullptr);
            if (pass + 1 < passes)
                continue;
            Pixel* out = job.buffer->row(static_cast<int32_t>(y));
            for (png_uint_32 x = 0; x < width; ++x)
                out[x] = premultiplied(rgba + 4 * x);
        }
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

// ---- JPEG

struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

struct JpegJob {
    ByteSource& source;
    std::unique_ptr<PixelBuffer> buffer;
    jpeg_source_mgr manager{};
    jpeg_decompress_struct info{};
    JpegErrors errors{};
};

JpegJob& job_of(j_decompress_ptr info)
{
    return *static_cast<JpegJob*>(info->client_data);
}

void jpeg_failed(j_common_ptr info)
{
    char message[JMSG_LENGTH_MAX];
    info->err->format_message(info, message);
    log() << "decode_image: JPEG " << message << "\n";
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

[[noreturn]] void jpeg_refuse(j_decompress_ptr info, const char* why)
{
    log() << "decode_image: JPEG " << why << "\n";
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

void jpeg_quiet(j_common_ptr) {}

void jpeg_start(j_decompress_ptr) {}

// A stream that ends early is an error: a cut-off picture is not shown half grey.
boolean jpeg_fill(j_decompress_ptr info)
{
    const uint8_t* data = nullptr;
    size_t count = 0;
    if (!job_of(info).source.next_block(data, count))
        jpeg_refuse(info, "data truncated");
    info->src->next_input_byte = data;
    info->src->bytes_in_buffer = count;
    return TRUE;
}

void jpeg_skip(j_decompress_ptr info, long count)
{
    if (count <= 0)
        return;
    jpeg_source_mgr* src = info->src;
    const auto wanted = static_cast<size_t>(count);
    if (wanted <= src->bytes_in_buffer) {
        src->next_input_byte += wanted;
        src->bytes_in_buffer -= wanted;
        return;
    }
    const size_t beyond = wanted - src->bytes_in_buffer;
    src->bytes_in_buffer = 0;
    if (!job_of(info).source.skip(beyond))
        jpeg_refuse(info, "data truncated");
}

void jpeg_end(j_decompress_ptr) {}

bool run_jpeg(JpegJob& job)
{
    job.info.err = jpeg_std_error(&job.errors.manager);
    job.errors.manager.error_exit = jpeg_failed;
    job.errors.manager.output_message = jpeg_quiet;
    if (setjmp(job.errors.jump)) {
        jpeg_destroy_decompress(&job.info);
        return false;
    }
    jpeg_create_decompress(&job.info);
    job.info.client_data = &job;
    const uint8_t* first = job.source.peeked();
    job.manager.next_input_byte = first;
    job.manager.bytes_in_buffer = 0;
    job.manager.init_source = jpeg_start;
    job.manager.fill_input_buffer = jpeg_fill;
    job.manager.skip_input_data = jpeg_skip;
    job.manager.resync_to_restart = jpeg_resync_to_restart;
    job.manager.term_source = jpeg_end;
    job.info.src = &job.manager;
    jpeg_read_header(&job.info, TRUE);
    if (job.info.image_width > MAX_SIDE || job.info.image_height > MAX_SIDE)
        jpeg_refuse(&job.info, "image too large");
    job.info.out_color_space = JCS_RGB565;
    job.info.dither_mode = JDITHER_NONE;
    jpeg_start_decompress(&job.info);
    log_size(job.info.output_width, job.info.output_height);
    job.buffer = PixelBuffer::create(
        Size{static_cast<int32_t>(job.info.output_width), static_cast<int32_t>(job.info.output_height)});
    if (!job.buffer)
        jpeg_refuse(&job.info, "no memory for the pixels");
    while (job.info.output_scanline < job.info.output_height) {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(job.buffer->row(static_cast<int32_t>(job.info.output_scanline)));
        jpeg_read_scanlines(&job.info, &row, 1);
    }
    jpeg_finish_decompress(&job.info);
    jpeg_destroy_decompress(&job.info);
    return true;
}

} // namespace

std::unique_ptr<PixelBuffer> decode_image(InputStream& stream)
{
    if (!stream.is_open()) {
        log() << "decode_image: stream is not open\n";
        return nullptr;
    }
    ByteSource source(stream);
    const size_t seen = source.peek(8);
    const uint8_t* head = source.peeked();
    static const uint8_t png_signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (seen == 8 && std::memcmp(head, png_signature, 8) == 0) {
        PngJob job{source, nullptr, {}};
        if (run_png(job))
            return std::move(job.buffer);
        return nullptr;
    }
    if (seen >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) {
        JpegJob job{source, nullptr};
        if (run_jpeg(job))
            return std::move(job.buffer);
        return nullptr;
    }
    log() << "decode_image: unknown image format\n";
    return nullptr;
}

} // namespace stellaro
