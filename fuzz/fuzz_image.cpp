// PNG and JPEG pictures, told apart by the decoder itself.
#include "fuzz_support.h"

#include "skin/surface/decode_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace stellaro;
    fuzz_folder(); // the decoder logs its refusals, and the log looks at the settings
    MemoryStream stream(data, size);
    decode_image(stream);
    return 0;
}
