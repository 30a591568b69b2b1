#pragma once
#include "astro/star_record.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace stellaro {

// The stars indexed by catalogue number: index i holds the star numbered i. Numbers the
// catalogue file does not fill stay default records with `valid` false.
class StarCatalog {
public:
    // Replaces the contents with count default records.
    void reset(size_t count);

    size_t size() const { return records.size(); }
    bool empty() const { return records.empty(); }
    StarRecord& operator[](size_t index) { return records[index]; }
    const StarRecord& operator[](size_t index) const { return records[index]; }
    std::vector<StarRecord>::iterator begin() { return records.begin(); }
    std::vector<StarRecord>::iterator end() { return records.end(); }
    std::vector<StarRecord>::const_iterator begin() const { return records.begin(); }
    std::vector<StarRecord>::const_iterator end() const { return records.end(); }

    // The star with this catalogue number, or null when the catalogue has none.
    const StarRecord* find(int64_t number) const;
    StarRecord* find(int64_t number);
    size_t valid_count() const;

private:
    std::vector<StarRecord> records;
};

} // namespace stellaro
