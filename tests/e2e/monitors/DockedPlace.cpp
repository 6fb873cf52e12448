#include "tests/e2e/monitors/DockedPlace.h"

#include <algorithm>
#include <cstdlib>

namespace monitors_probe {

const DockEntry kDockEntries[7] = {
    {1, 4, "centre"},
    {3, 3, "left"},
    {4, 1, "top"},
    {5, 5, "right"},
    {6, 6, "bottom_left"},
    {7, 7, "bottom"},
    {8, 8, "bottom_right"},
};

const DockEntry* DockEntryOf(int listIndex)
{
    for (const DockEntry& entry : kDockEntries)
        if (entry.listIndex == listIndex)
            return &entry;
    return nullptr;
}

RECT TuckedPlace(int position, SIZE bar, const RECT& work)
{
    const int row = position / 3, column = position % 3;
    const int width = work.right - work.left, height = work.bottom - work.top;
    int left = 0, top = 0;
    if (row == 0)
        top = work.top + kStripPixels - bar.cy;
    else if (row == 1)
        top = work.top + (height - bar.cy) / 2;
    else
        top = work.bottom - kStripPixels;
    if (column == 1)
        left = work.left + (width - bar.cx) / 2;
    else if (row == 2) // the bottom corners keep the whole width in view
        left = column == 0 ? work.left : work.right - bar.cx;
    else
        left = column == 0 ? work.left + kStripPixels - bar.cx : work.right - kStripPixels;
    return {left, top, left + bar.cx, top + bar.cy};
}

RECT ShownPlace(const RECT& tucked, const RECT& work)
{
    RECT r = tucked;
    const auto shift = [&](int dx, int dy) { OffsetRect(&r, dx, dy); };
    if (r.left < work.left - kOverhangPixels)
        shift(work.left - kOverhangPixels - r.left, 0);
    if (r.top < work.top - kOverhangPixels)
        shift(0, work.top - kOverhangPixels - r.top);
    if (r.right > work.right + kOverhangPixels)
        shift(work.right + kOverhangPixels - r.right, 0);
    if (r.bottom > work.bottom + kOverhangPixels)
        shift(0, work.bottom + kOverhangPixels - r.bottom);
    return r;
}

POINT StripPoint(const RECT& tucked, const RECT& work)
{
    RECT visible = {};
    IntersectRect(&visible, &tucked, &work);
    return {(visible.left + visible.right) / 2, (visible.top + visible.bottom) / 2};
}

bool Near(const RECT& a, const RECT& b, int tolerance)
{
    return std::abs(a.left - b.left) <= tolerance && std::abs(a.top - b.top) <= tolerance &&
        std::abs(a.right - b.right) <= tolerance && std::abs(a.bottom - b.bottom) <= tolerance;
}

SIZE SizeOf(const RECT& r)
{
    return {r.right - r.left, r.bottom - r.top};
}

std::string PlaceText(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
        std::to_string(r.bottom - r.top);
}

} // namespace monitors_probe
