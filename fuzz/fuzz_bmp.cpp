// 16-bit BMP pictures.
#include "fuzz_support.h"

#include "skin/surface/load_565.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace stellaro;
    MemoryStream stream(data, size);
    read_bmp_565(stream);
    return 0;
}
