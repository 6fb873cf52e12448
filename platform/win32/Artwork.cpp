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
    const win32kit::ScopedSelect useBrush(dc, brush.get());
    const win32kit::ScopedSelect usePen(dc, pen.get());
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
        const win32kit::ScopedSelect useBrush(dc, brush.get());
        const win32kit::ScopedSelect usePen(dc, pen.get());
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

struct PreviewPlace {
    int column; // 0 left edge, 1 centre, 2 right edge
    int row;    // 0 top edge, 1 centre, 2 bottom edge
    bool fullHeight;
    bool docked; // hides itself towards its edge
};

PreviewPlace previewPlace(int entry)
{
    // Entries of the alignment list: off, foreground, fixed right, left, top, right, bottom left,
    // bottom, bottom right, left (large), right (large).
    static const PreviewPlace kPlaces[] = {{0, 0, false, false}, {1, 1, false, true}, {2, 1, false, false},
        {0, 1, false, true}, {1, 0, false, true}, {2, 1, false, true}, {0, 2, false, true}, {1, 2, false, true},
        {2, 2, false, true}, {0, 1, true, true}, {2, 1, true, true}};
    return kPlaces[entry];
}

// A small screen with the bar where that alignment puts it; a docked bar carries an arrow to the
// edge it hides behind, a free one a frame.
void drawAlignPreview(HDC dc, const RECT& area, int entry)
{
    const Grid grid(area, 64, 48);
    fill(dc, area, RGB(64, 64, 64));
    const RECT screen = grid.rect(2, 2, 62, 46);
    fill(dc, screen, RGB(0, 128, 128));
    const PreviewPlace place = previewPlace(entry);
    const int width = 6, height = place.fullHeight ? 44 : 22;
    // Not quite against the screen's edge when free-floating and off: it starts a little inside.
    const int inset = entry == 0 ? 6 : 0;
    const int left = 2 + inset + place.column * (60 - width - inset) / 2;
    const int top = 2 + inset + place.row * (44 - height - inset) / 2;
    const RECT bar = grid.rect(left, top, left + width, top + height);
    fill(dc, bar, RGB(0, 0, 128));
    fill(dc, grid.rect(left, top + height - 4, left + width, top + height - 3), RGB(96, 160, 255));
    if (!place.docked) {
        frame(dc, bar, RGB(255, 255, 255));
        return;
    }
    // The arrow points from the bar's middle to its edge; the centre position has none.
    const int cx = left + width / 2, cy = top + height / 2;
    const int dx = place.column - 1, dy = place.row - 1;
    if (dx == 0 && dy == 0)
        return;
    const POINT tip = grid.at(cx + dx * 2, cy + dy * 4);
    const POINT a = grid.at(cx - dy * 2 - dx, cy + dx * 2 - dy * 2);
    const POINT b = grid.at(cx + dy * 2 - dx, cy - dx * 2 - dy * 2);
    const POINT arrow[] = {tip, a, b};
    polygon(dc, arrow, 3, RGB(255, 255, 255));
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
    case ui::Artwork::AlignPreview0:
    case ui::Artwork::AlignPreview1:
    case ui::Artwork::AlignPreview2:
    case ui::Artwork::AlignPreview3:
    case ui::Artwork::AlignPreview4:
    case ui::Artwork::AlignPreview5:
    case ui::Artwork::AlignPreview6:
    case ui::Artwork::AlignPreview7:
    case ui::Artwork::AlignPreview8:
    case ui::Artwork::AlignPreview9:
    case ui::Artwork::AlignPreview10:
        drawAlignPreview(dc, area, static_cast<int>(artwork) - static_cast<int>(ui::Artwork::AlignPreview0));
        return;
    }
}

} // namespace platform::win32
