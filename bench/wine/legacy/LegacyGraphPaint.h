#pragma once
// The graph drawing as it was before the batched version: one pen selection, colour and
// MoveToEx/LineTo per segment, and the window shown through a synchronous WM_PAINT. Kept only so the paint benchmark
// can time it and compare its pixels with the control's current drawing in the same run; the control does not link it.
#include <windows.h>

#include <string_view>

#include "control/core/MemoryViewer.h"

namespace legacy {

class GdiGraphSurface final : public dralith::GraphSurface {
public:
    GdiGraphSurface(HDC dc, int width, int height, POINT origin = POINT {0, 0});

    void clear(dralith::Colour background) override;
    void drawLine(const dralith::GraphLine& line) override;
    void setCaption(std::string_view) override { }

private:
    HDC dc_;
    int width_;
    int height_;
    POINT origin_;
};

void drawCaption(HDC dc, std::string_view caption, POINT origin);
void paintState(const dralith::MemoryViewer& viewer, HDC dc, int width, int height, POINT origin);

// The former SurfaceWindow::present: invalidate the surface and let its WM_PAINT (which copies
// the back buffer) run at once.
void present(HWND surface);

} // namespace legacy
