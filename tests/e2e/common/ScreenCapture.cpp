#include "tests/e2e/common/ScreenCapture.h"

#include <cstdio>
#include <cstring>

#include "win32kit/DcScopes.h"
#include "win32kit/Handles.h"

namespace e2e {

COLORREF Image::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return CLR_INVALID;
    const std::uint32_t p = pixels[static_cast<size_t>(y) * width + x];
    return RGB((p >> 16) & 0xff, (p >> 8) & 0xff, p & 0xff);
}

Image CaptureScreen(const RECT& r)
{
    Image image;
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    if (width <= 0 || height <= 0)
        return image;

    win32kit::WindowDc screen(nullptr);
    win32kit::UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    win32kit::UniqueGdiObject bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap || !bits)
        return image;
    {
        win32kit::ScopedSelect select(memory.get(), bitmap.get());
        if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), r.left, r.top, SRCCOPY))
            return image;
        GdiFlush();
    }
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<size_t>(width) * height);
    std::memcpy(image.pixels.data(), bits, image.pixels.size() * sizeof(std::uint32_t));
    for (std::uint32_t& p : image.pixels)
        p &= 0xffffff;
    return image;
}

COLORREF ScreenPixel(int x, int y)
{
    const RECT r = {x, y, x + 1, y + 1};
    const Image image = CaptureScreen(r);
    return image.empty() ? CLR_INVALID : image.At(0, 0);
}

std::vector<unsigned char> EncodeBmp(const Image& image)
{
    const int rowBytes = (image.width * 3 + 3) & ~3;
    const DWORD pixelBytes = static_cast<DWORD>(rowBytes) * image.height;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER header = {};
    file.bfType = 0x4d42; // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + pixelBytes;
    header.biSize = sizeof header;
    header.biWidth = image.width;
    header.biHeight = image.height; // bottom-up
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = pixelBytes;

    std::vector<unsigned char> bytes(file.bfSize, 0);
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, &header, sizeof header);
    for (int y = 0; y < image.height; ++y) {
        unsigned char* row = bytes.data() + file.bfOffBits + static_cast<size_t>(image.height - 1 - y) * rowBytes;
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.pixels[static_cast<size_t>(y) * image.width + x];
            row[x * 3 + 0] = p & 0xff;
            row[x * 3 + 1] = (p >> 8) & 0xff;
            row[x * 3 + 2] = (p >> 16) & 0xff;
        }
    }
    return bytes;
}

bool SaveBmp(const Image& image, const std::string& path)
{
    if (image.empty())
        return false;
    const std::vector<unsigned char> bytes = EncodeBmp(image);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

long CountDifferentPixels(const Image& a, const Image& b)
{
    if (a.width != b.width || a.height != b.height)
        return -1;
    long different = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        different += a.pixels[i] != b.pixels[i];
    return different;
}

std::string ColourText(COLORREF colour)
{
    if (colour == CLR_INVALID)
        return "(unreadable)";
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

} // namespace e2e
