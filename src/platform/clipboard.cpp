#include "platform/clipboard.h"

#include "platform/utf.h"

#include <SDL2/SDL.h>

namespace stellaro {

namespace {

std::u16string& local_clipboard()
{
    static std::u16string text;
    return text;
}

bool system_clipboard() { return SDL_WasInit(SDL_INIT_VIDEO) != 0; }

} // namespace

std::u16string clipboard_text()
{
    if (!system_clipboard())
        return local_clipboard();
    char* text = SDL_GetClipboardText();
    if (!text)
        return {};
    std::u16string result = utf8_to_utf16(text);
    SDL_free(text);
    return result;
}

void set_clipboard_text(std::u16string_view text)
{
    if (!system_clipboard()) {
        local_clipboard() = std::u16string(text);
        return;
    }
    SDL_SetClipboardText(utf16_to_utf8(text).c_str());
}

} // namespace stellaro
