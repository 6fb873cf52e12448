#include "control/com/BackBuffer.h"

#include "win32kit/DcScopes.h"

namespace dralith {

bool BackBuffer::resize(HWND window, int width, int height)
{
    if (width < 1)
        width = 1;
    if (height < 1)
        height = 1;
    if (dc_ && width == width_ && height == height_)
        return true;
    release();
    win32kit::WindowDc screen(window);
    win32kit::UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    win32kit::UniqueGdiObject bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    if (!dc || !bitmap)
        return false;
    originalBitmap_ = SelectObject(dc.get(), bitmap.get());
    dc_ = std::move(dc);
    bitmap_ = std::move(bitmap);
    width_ = width;
    height_ = height;
    return true;
}

void BackBuffer::release()
{
    // The bitmap must leave the DC before either is deleted.
    if (dc_ && originalBitmap_)
        SelectObject(dc_.get(), originalBitmap_);
    originalBitmap_ = nullptr;
    dc_.reset();
    bitmap_.reset();
    width_ = height_ = 0;
}

void BackBuffer::copyTo(HDC target, int x, int y) const
{
    if (dc_)
        BitBlt(target, x, y, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

void BackBuffer::showOn(HWND window) const
{
    if (!dc_ || !window)
        return;
    win32kit::WindowDc screen(window);
    if (screen.get())
        copyTo(screen.get(), 0, 0);
}

} // namespace dralith
