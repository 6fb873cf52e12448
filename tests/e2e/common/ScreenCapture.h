#pragma once
// Reads what is really on the screen (all processes' windows), for checks of colours and
// pictures and for comparing two renderings.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // 0x00RRGGBB, rows top-down

    bool empty() const { return pixels.empty(); }
    // As a COLORREF (0x00BBGGRR), to compare with GetSysColor and RGB().
    COLORREF At(int x, int y) const;
};

Image CaptureScreen(const RECT& screenRect);
COLORREF ScreenPixel(int x, int y);
bool SaveBmp(const Image& image, const std::string& path);
// The encoded bytes of a 24-bit bottom-up BMP file.
std::vector<unsigned char> EncodeBmp(const Image& image);
// Number of pixels that differ between two images of the same size; -1 when the sizes differ.
long CountDifferentPixels(const Image& a, const Image& b);

std::string ColourText(COLORREF colour);

} // namespace e2e
