#pragma once
// The logo picture put beside the bar as tolvix.BMP: an orange strip with dark bands, a size
// unlike the logo strip so that a layout taken from the wrong width shows.
#include <vector>

#include <windows.h>

namespace bar_probe {

constexpr int kLogoWidth = 36;
constexpr int kLogoHeight = 120;
constexpr COLORREF kLogoColour = RGB(255, 128, 0);
constexpr COLORREF kLogoBandColour = RGB(40, 20, 90);

std::vector<unsigned char> LogoBmpBytes();
// Whether row y of the picture is plain logo colour (not a band).
bool IsPlainLogoRow(int y);

} // namespace bar_probe
