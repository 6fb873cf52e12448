#include "tests/e2e/bar/LogoPicture.h"

#include "tests/e2e/common/ScreenCapture.h"

namespace bar_probe {

bool IsPlainLogoRow(int y)
{
    return y % 30 < 20;
}

std::vector<unsigned char> LogoBmpBytes()
{
    e2e::Image image;
    image.width = kLogoWidth;
    image.height = kLogoHeight;
    auto packed = [](COLORREF c) {
        return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    };
    for (int y = 0; y < kLogoHeight; ++y)
        for (int x = 0; x < kLogoWidth; ++x)
            image.pixels.push_back(packed(IsPlainLogoRow(y) ? kLogoColour : kLogoBandColour));
    return e2e::EncodeBmp(image);
}

} // namespace bar_probe
