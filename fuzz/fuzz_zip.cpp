// Stored-zip archives: indexing their members when opened, looking them up and reading them. The
// reader takes a path, so the input goes through a scratch file.
#include "fuzz_support.h"

#include "platform/utf.h"
#include "skin/io/zip_reader.h"

#include <array>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace stellaro;
    ZipReader zip(utf8_to_utf16(write_scratch_file("archive.zip", data, size)));
    // A name present in the seed archives, one in another case with a trailing separator, and
    // one never present.
    for (const char16_t* name : {u"And.png", u"ANT.PNG/", u"missing"}) {
        if (!zip.find(name))
            continue;
        std::array<char, 4096> buffer;
        while (zip.read(buffer.data(), buffer.size()) > 0) {
        }
        zip.seek(zip.size() / 2);
        zip.skip(zip.size());
    }
    return 0;
}
