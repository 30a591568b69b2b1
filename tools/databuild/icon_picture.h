#pragma once
#include <string>

namespace stellaro {

// Turns an icon rasterised white over transparency (a PNG) into a coverage picture for the
// skins: a 16-bit BMP whose grey level is how much of each pixel the icon covers, with the
// transparent key where it covers nothing. Skins paint it in a tint colour; the coverage lives
// in every channel, so it survives the night conversion, which keeps red only.
bool write_icon_picture(const std::string& png_path, const std::string& bmp_path);

} // namespace stellaro
