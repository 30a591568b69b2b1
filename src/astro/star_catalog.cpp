#include "astro/star_catalog.h"

#include <algorithm>

namespace stellaro {

void StarCatalog::reset(size_t count)
{
    records.clear();
    records.resize(count);
}

const StarRecord* StarCatalog::find(int64_t number) const
{
    if (number < 0 || static_cast<uint64_t>(number) >= records.size())
        return nullptr;
    const StarRecord& star = records[static_cast<size_t>(number)];
    return star.valid ? &star : nullptr;
}

StarRecord* StarCatalog::find(int64_t number)
{
    return const_cast<StarRecord*>(static_cast<const StarCatalog&>(*this).find(number));
}

size_t StarCatalog::valid_count() const
{
    return static_cast<size_t>(std::count_if(records.begin(), records.end(), [](const StarRecord& star) { return star.valid; }));
}

} // namespace stellaro
