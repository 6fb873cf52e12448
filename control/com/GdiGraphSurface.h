#pragma once
// Draws what the viewer's Refresh asks for onto a DC with the stock DC pen and brush, so a tick
// creates no GDI object at all; plus the caption over the graph.
#include <windows.h>

#include <string>
#include <string_view>

#include "control/core/MemoryViewer.h"

namespace dralith {

class GdiGraphSurface final : public GraphSurface {
public:
    // `origin` offsets the drawing (IViewObject::Draw gets a rectangle anywhere in the DC).
    GdiGraphSurface(HDC dc, int width, int height, POINT origin = POINT {0, 0});

    void clear(Colour background) override;
    void drawLine(const GraphLine& line) override;
    // The caller draws the caption over the finished graph and gives it to the label.
    void setCaption(std::string_view) override { }

private:
    HDC dc_;
    int width_;
    int height_;
    POINT origin_;
};

// The display text drawn over the graph, one line per CR-separated part, top left.
void drawCaption(HDC dc, std::string_view caption, POINT origin);

// Paints the current state without taking a sample: after a resize, and for containers that
// ask the control to draw itself into their own DC.
void paintState(const MemoryViewer& viewer, HDC dc, int width, int height, POINT origin);

} // namespace dralith
