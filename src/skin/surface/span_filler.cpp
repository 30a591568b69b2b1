#include "skin/surface/span_filler.h"

#include <algorithm>
#include <utility>

namespace stellaro {

namespace {

// Two pixels seen as one word; the alias attribute keeps the compiler from assuming that a
// store through one type cannot change what the other reads.
using PixelPair [[gnu::may_alias]] = uint32_t;

bool word_aligned(const Pixel* p) { return (reinterpret_cast<uintptr_t>(p) & 3) == 0; }

// Applies op to single pixels at an unaligned start or end and to aligned pairs in between.
template <typename Op>
void for_each_pair(Pixel* begin, Pixel* end, Op op)
{
    if (begin >= end)
        return;
    if (!word_aligned(begin)) {
        *begin = op(*begin);
        ++begin;
    }
    auto* pairs = reinterpret_cast<PixelPair*>(begin);
    const ptrdiff_t count = (end - begin) / 2;
    for (ptrdiff_t i = 0; i < count; ++i)
        pairs[i] = op(pairs[i]);
    if ((end - begin) & 1)
        end[-1] = op(end[-1]);
}

// The dimming functions. T is uint16_t for one pixel or uint32_t for a pair; every mask is the
// one-pixel mask repeated in the upper half, which the conversion to uint16_t cuts off again.
template <int K, typename T>
T dim(T p)
{
    const T one = static_cast<T>(0x08610861u);
    const T a1 = static_cast<T>((p >> 1) & static_cast<T>(0x7BEF7BEFu));
    const T a2 = static_cast<T>((p >> 2) & static_cast<T>(0x39E739E7u));
    const T a3 = static_cast<T>((p >> 3) & static_cast<T>(0x18E318E3u));
    const T a4 = static_cast<T>((p >> 4) & static_cast<T>(0x08610861u));
    switch (K) {
    case 0: return 0;
    case 1: return a4;
    case 2: return a3;
    case 3: return static_cast<T>(a2 - a4);
    case 4: return a2;
    case 5: return static_cast<T>(a4 + a2 + one);
    case 6: return static_cast<T>(a1 - a3);
    case 7: return static_cast<T>(a1 - a4);
    case 8: return a1;
    case 9: return static_cast<T>(a4 + a1 + one);
    case 10: return static_cast<T>(a3 + a1 + one);
    case 11: return static_cast<T>(a4 + a3 + a1 + one);
    case 12: return static_cast<T>(p - a2);
    case 13: return static_cast<T>(a4 - a2 + p);
    case 14: return static_cast<T>(p - a3);
    case 15: return static_cast<T>(p - a4);
    default: return p;
    }
}

template <int K>
class DimFiller final : public SpanFiller {
public:
    void fill(Pixel* begin, Pixel* end) const override
    {
        for_each_pair(begin, end, [](auto p) { return dim<K>(p); });
    }
};

template <int... K>
std::unique_ptr<SpanFiller> make_dim_filler(int level, std::integer_sequence<int, K...>)
{
    std::unique_ptr<SpanFiller> filler;
    ((level == K ? (filler = std::make_unique<DimFiller<K>>(), 0) : 0), ...);
    return filler;
}

} // namespace

SolidFiller::SolidFiller(Pixel colour) : single(colour), pair(static_cast<uint32_t>(colour) * 0x10001u) {}

void SolidFiller::fill(Pixel* begin, Pixel* end) const
{
    const uint32_t word = pair;
    const Pixel one = single;
    for_each_pair(begin, end, [word, one](auto p) {
        if constexpr (sizeof(p) == 4)
            return word;
        else
            return one;
    });
}

std::unique_ptr<SpanFiller> dim_filler(int32_t level)
{
    const auto k = static_cast<int>(std::clamp<int64_t>((int64_t{level} + 8) / 16, 0, 16));
    return make_dim_filler(k, std::make_integer_sequence<int, 17>{});
}

} // namespace stellaro
