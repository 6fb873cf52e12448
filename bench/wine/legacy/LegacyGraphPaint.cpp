// The control's former GdiGraphSurface.cpp, unchanged but for its namespace, and its former
// SurfaceWindow::present (see LegacyGraphPaint.h).
#include "bench/wine/legacy/LegacyGraphPaint.h"

#include "win32kit/DcScopes.h"
#include "control/core/GraphGeometry.h"
#include "control/core/Rounding.h"

namespace legacy {
using namespace dralith;
namespace {

constexpr int kTextMargin = 2;
constexpr COLORREF kTextColour = RGB(255, 255, 255);

int pixel(double value)
{
    return roundHalfEvenToLong(value);
}

} // namespace

GdiGraphSurface::GdiGraphSurface(HDC dc, int width, int height, POINT origin)
    : dc_(dc)
    , width_(width)
    , height_(height)
    , origin_(origin)
{
}

void GdiGraphSurface::clear(Colour background)
{
    RECT all {origin_.x, origin_.y, origin_.x + width_, origin_.y + height_};
    SetDCBrushColor(dc_, static_cast<COLORREF>(background));
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void GdiGraphSurface::drawLine(const GraphLine& line)
{
    win32kit::ScopedSelect pen(dc_, GetStockObject(DC_PEN));
    SetDCPenColor(dc_, static_cast<COLORREF>(line.colour));
    MoveToEx(dc_, origin_.x + pixel(line.fromX), origin_.y + pixel(line.fromY), nullptr);
    LineTo(dc_, origin_.x + pixel(line.toX), origin_.y + pixel(line.toY));
}

void drawCaption(HDC dc, std::string_view caption, POINT origin)
{
    if (caption.empty())
        return;
    win32kit::ScopedSelect font(dc, GetStockObject(DEFAULT_GUI_FONT));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, kTextColour);
    TEXTMETRICA metrics {};
    GetTextMetricsA(dc, &metrics);
    int y = origin.y + kTextMargin;
    std::size_t start = 0;
    while (start <= caption.size()) {
        std::size_t end = caption.find('\r', start);
        if (end == std::string_view::npos)
            end = caption.size();
        TextOutA(dc, origin.x + kTextMargin, y, caption.data() + start, static_cast<int>(end - start));
        y += metrics.tmHeight;
        start = end + 1;
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

void paintState(const MemoryViewer& viewer, HDC dc, int width, int height, POINT origin)
{
    GdiGraphSurface surface(dc, width, height, origin);
    surface.clear(backgroundColour(viewer.history()));
    forEachGraphLine(viewer.history(), width, height, [&surface](const GraphLine& line) { surface.drawLine(line); });
    if (const auto y = progressLineY(height, viewer.freeUp().step(), viewer.freeUp().total()))
        surface.drawLine(GraphLine {0.0, *y, static_cast<double>(width), *y, kProgressLineColour});
    if (viewer.state().labelVisible())
        drawCaption(dc, viewer.caption(), origin);
}

// From the former SurfaceWindow.cpp.
void present(HWND surface)
{
    RedrawWindow(surface, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

} // namespace legacy
