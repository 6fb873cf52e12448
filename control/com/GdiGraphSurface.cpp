#include "control/com/GdiGraphSurface.h"

#include "control/core/GraphGeometry.h"
#include "control/core/Rounding.h"

namespace dralith {
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
    , pen_(dc, GetStockObject(DC_PEN))
{
}

GdiGraphSurface::~GdiGraphSurface()
{
    finishLines();
}

void GdiGraphSurface::clear(Colour background)
{
    runLength_ = 0; // anything held would be painted over
    RECT all {origin_.x, origin_.y, origin_.x + width_, origin_.y + height_};
    SetDCBrushColor(dc_, static_cast<COLORREF>(background));
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void GdiGraphSurface::drawLine(const GraphLine& line)
{
    const POINT from {origin_.x + pixel(line.fromX), origin_.y + pixel(line.fromY)};
    const POINT to {origin_.x + pixel(line.toX), origin_.y + pixel(line.toY)};
    if (from.x == to.x && from.y == to.y)
        return;
    const COLORREF colour = static_cast<COLORREF>(line.colour);
    const bool continues =
        runLength_ > 0 && colour == runColour_ && run_[runLength_ - 1].x == from.x && run_[runLength_ - 1].y == from.y;
    if (continues && runLength_ == kRunPoints) {
        finishLines();
        run_[0] = from;
        runLength_ = 1;
    } else if (!continues) {
        finishLines();
        runColour_ = colour;
        run_[0] = from;
        runLength_ = 1;
    }
    run_[runLength_++] = to;
}

void GdiGraphSurface::finishLines()
{
    if (runLength_ >= 2) {
        SetDCPenColor(dc_, runColour_);
        Polyline(dc_, run_, runLength_);
    }
    runLength_ = 0;
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
    surface.finishLines();
    if (viewer.state().labelVisible())
        drawCaption(dc, viewer.caption(), origin);
}

} // namespace dralith
