#pragma once
#include <string>
#include <string_view>

namespace stellaro {

// The system clipboard as UTF-16 text. Without an initialised video subsystem (headless runs,
// tests) a clipboard private to the process stands in, so copy and paste still work there.

// The clipboard's text; empty when it holds none.
std::u16string clipboard_text();
// Puts the text on the clipboard.
void set_clipboard_text(std::u16string_view text);

} // namespace stellaro
