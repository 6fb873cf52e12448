#pragma once
// The off-screen picture of the control surface: every Refresh draws here and the window only
// copies it, so the screen never shows a half-drawn graph. Created once per size, not per tick.
#include <windows.h>

#include "win32kit/Handles.h"

namespace dralith {

class BackBuffer {
public:
    // Makes the buffer match the window's client size (keeps it when the size is unchanged).
    bool resize(HWND window, int width, int height);
    HDC dc() const { return dc_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }
    explicit operator bool() const { return static_cast<bool>(dc_); }

    void copyTo(HDC target, int x, int y) const;
    // Copies the picture straight onto the window's client area through its DC. The buffer
    // holds the whole picture, so an invalidate-and-paint round trip would add nothing but its
    // cost (under Wine most of a Refresh's time); parts invalid for other reasons still get
    // their WM_PAINT.
    void showOn(HWND window) const;

private:
    void release();

    win32kit::UniqueMemoryDc dc_;
    win32kit::UniqueGdiObject bitmap_;
    HGDIOBJ originalBitmap_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

} // namespace dralith
