#include "platform/win32/Artwork.h"

#include "win32kit/DcScopes.h"
#include "win32kit/Handles.h"

#include <algorithm>

namespace platform::win32 {

namespace {

// Maps a small drawing grid onto the target area, so each picture scales with its control.
class Grid {
public:
    Grid(const RECT& area, int columns, int rows)
        : area_(area)
        , columns_(columns)
        , rows_(rows)
    {
    }
    int x(int column) const { return area_.left + (area_.right - area_.left) * column / columns_; }
    int y(int row) const { return area_.top + (area_.bottom - area_.top) * row / rows_; }
    POINT at(int column, int row) const { return POINT {x(column), y(row)}; }
    RECT rect(int left, int top, int right, int bottom) const { return RECT {x(left), y(top), x(right), y(bottom)}; }

private:
    RECT area_;
    int columns_;
    int rows_;
};

void fill(HDC dc, const RECT& rect, COLORREF colour)
{
    SetDCBrushColor(dc, colour);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void frame(HDC dc, const RECT& rect, COLORREF colour)
{
    const UniqueBrush brush(CreateSolidBrush(colour));
    FrameRect(dc, &rect, brush.get());
}

void polygon(HDC dc, const POINT* points, int count, COLORREF colour)
{
    const UniqueBrush brush(CreateSolidBrush(colour));
    const UniquePen pen(CreatePen(PS_SOLID, 1, colour));
    const ScopedSelect useBrush(dc, brush.get());
    const ScopedSelect usePen(dc, pen.get());
    Polygon(dc, points, count);
}

// A little application window: frame, blue title bar with a close box, white client area.
void drawTaskIcon(HDC dc, const RECT& area)
{
    const Grid grid(area, 16, 16);
    fill(dc, grid.rect(1, 2, 15, 14), RGB(255, 255, 255));
    fill(dc, grid.rect(1, 2, 15, 5), RGB(0, 0, 128));
    fill(dc, grid.rect(12, 3, 14, 4), RGB(192, 192, 192));
    fill(dc, grid.rect(3, 7, 11, 8), RGB(128, 128, 128));
    fill(dc, grid.rect(3, 9, 9, 10), RGB(128, 128, 128));
    frame(dc, grid.rect(1, 2, 15, 14), RGB(0, 0, 0));
}

// A vertical level gauge filled from the bottom, red when nearly empty, green when full.
void drawGauge(HDC dc, const RECT& area, int level)
{
    const Grid grid(area, 16, 16);
    const RECT outline = grid.rect(4, 1, 12, 15);
    fill(dc, outline, RGB(40, 40, 40));
    if (level > 0) {
        const int red = 255 * (6 - level) / 6;
        const int green = 64 + 191 * level / 6;
        RECT filled = outline;
        InflateRect(&filled, -1, -1);
        filled.top = filled.bottom - (filled.bottom - filled.top) * level / 6;
        fill(dc, filled, RGB(red, green, 0));
    }
    frame(dc, outline, RGB(0, 0, 0));
}

void drawLamp(HDC dc, const RECT& area, bool on)
{
    const Grid grid(area, 12, 12);
    const COLORREF body = on ? RGB(0, 230, 0) : RGB(110, 0, 0);
    const UniqueBrush brush(CreateSolidBrush(body));
    const UniquePen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    {
        const ScopedSelect useBrush(dc, brush.get());
        const ScopedSelect usePen(dc, pen.get());
        Ellipse(dc, grid.x(1), grid.y(1), grid.x(11), grid.y(11));
    }
    // A small reflection makes the lamp read as round, stronger while lit.
    const RECT shine = grid.rect(3, 3, 6, 6);
    fill(dc, shine, on ? RGB(200, 255, 200) : RGB(170, 70, 70));
}

// Previous, play, stop and next, each on a small raised key.
void drawTransportButtons(HDC dc, const RECT& area)
{
    const int width = area.right - area.left;
    for (int key = 0; key < 4; ++key) {
        RECT cell {area.left + width * key / 4, area.top, area.left + width * (key + 1) / 4, area.bottom};
        fill(dc, cell, GetSysColor(COLOR_BTNFACE));
        DrawEdge(dc, &cell, BDR_RAISEDINNER, BF_RECT);
        const Grid grid(cell, 14, 12);
        const COLORREF ink = RGB(0, 0, 0);
        switch (key) {
        case 0: {
            fill(dc, grid.rect(3, 3, 4, 9), ink);
            const POINT left[] = {grid.at(8, 3), grid.at(4, 6), grid.at(8, 9)};
            polygon(dc, left, 3, ink);
            const POINT second[] = {grid.at(11, 3), grid.at(7, 6), grid.at(11, 9)};
            polygon(dc, second, 3, ink);
            break;
        }
        case 1: {
            const POINT play[] = {grid.at(5, 3), grid.at(10, 6), grid.at(5, 9)};
            polygon(dc, play, 3, ink);
            break;
        }
        case 2:
            fill(dc, grid.rect(5, 3, 10, 9), ink);
            break;
        default: {
            const POINT first[] = {grid.at(3, 3), grid.at(7, 6), grid.at(3, 9)};
            polygon(dc, first, 3, ink);
            const POINT right[] = {grid.at(6, 3), grid.at(10, 6), grid.at(6, 9)};
            polygon(dc, right, 3, ink);
            fill(dc, grid.rect(10, 3, 11, 9), ink);
            break;
        }
        }
    }
}

// The strip's colour is its background (animated by the program); a highlight line gives depth.
void drawGlowStrip(HDC dc, const RECT& area, COLORREF back)
{
    if (area.bottom - area.top < 2)
        return;
    const auto lighten = [](int channel) { return std::min(255, channel + (255 - channel) / 2); };
    const RECT line {area.left, area.top, area.right, area.top + 1};
    fill(dc, line, RGB(lighten(GetRValue(back)), lighten(GetGValue(back)), lighten(GetBValue(back))));
}

// White, with a band down the left edge in the bar's caption blues.
void drawAboutBackdrop(HDC dc, const RECT& area)
{
    const Grid grid(area, 40, 16);
    fill(dc, area, RGB(255, 255, 255));
    fill(dc, grid.rect(0, 0, 1, 16), RGB(0, 0, 128));
    fill(dc, grid.rect(1, 0, 2, 16), RGB(64, 128, 224));
}

// The bar itself in small: a narrow window with its title, three task buttons and the panel.
void drawAboutIcon(HDC dc, const RECT& area)
{
    const Grid grid(area, 16, 16);
    fill(dc, grid.rect(4, 1, 12, 15), RGB(224, 224, 224));
    fill(dc, grid.rect(4, 1, 12, 3), RGB(0, 0, 128));
    for (int row = 4; row < 10; row += 2)
        fill(dc, grid.rect(5, row, 11, row + 1), RGB(160, 160, 160));
    fill(dc, grid.rect(4, 11, 12, 15), RGB(64, 128, 224));
    fill(dc, grid.rect(9, 12, 11, 14), RGB(0, 230, 0));
    frame(dc, grid.rect(4, 1, 12, 15), RGB(0, 0, 0));
}

} // namespace

void drawArtwork(HDC dc, const RECT& area, ui::Artwork artwork, COLORREF back)
{
    switch (artwork) {
    case ui::Artwork::None:
        return;
    case ui::Artwork::TaskIcon:
        drawTaskIcon(dc, area);
        return;
    case ui::Artwork::Gauge0:
    case ui::Artwork::Gauge1:
    case ui::Artwork::Gauge2:
    case ui::Artwork::Gauge3:
    case ui::Artwork::Gauge4:
    case ui::Artwork::Gauge5:
    case ui::Artwork::Gauge6:
        drawGauge(dc, area, static_cast<int>(artwork) - static_cast<int>(ui::Artwork::Gauge0));
        return;
    case ui::Artwork::LampOff:
        drawLamp(dc, area, false);
        return;
    case ui::Artwork::LampOn:
        drawLamp(dc, area, true);
        return;
    case ui::Artwork::WinampButtons:
        drawTransportButtons(dc, area);
        return;
    case ui::Artwork::GlowStrip:
        drawGlowStrip(dc, area, back);
        return;
    case ui::Artwork::AboutBackdrop:
        drawAboutBackdrop(dc, area);
        return;
    case ui::Artwork::AboutIcon:
        drawAboutIcon(dc, area);
        return;
    }
}

} // namespace platform::win32
