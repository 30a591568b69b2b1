#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace stellaro {

// What an element shows and holds, as scripted input and dumps of the element tree see it. Each
// kind fills in what it has; the rest stays empty.
struct ElementState {
    std::optional<std::u16string> text;  // the text shown (caption, label, field content)
    std::optional<int64_t> state;        // checkbox: the index of the state shown
    std::optional<double> value;         // spinner: position in rows; progress: filled fraction 0..1
    std::optional<int32_t> selection;    // list: the selected index, -1 for none
    std::optional<int32_t> first_item;   // list: the index of the first item in view
};

} // namespace stellaro
