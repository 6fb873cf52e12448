#pragma once
// Draws what the viewer's Refresh asks for onto a DC with the stock DC pen and brush, so a tick
// creates no GDI object at all; plus the caption over the graph.
//
// A full history is a thousand segments or more, most shorter than a pixel. They are not drawn
// one call each: consecutive segments of one colour go out as a single Polyline (a polyline of
// one-pixel-wide solid segments sets exactly the pixels its segments would set one by one), and
// segments of no length, which set no pixel, are left out.
#include <windows.h>

#include <string>
#include <string_view>

#include "control/core/MemoryViewer.h"
#include "win32kit/DcScopes.h"

namespace dralith {

class GdiGraphSurface final : public GraphSurface {
public:
    // `origin` offsets the drawing (IViewObject::Draw gets a rectangle anywhere in the DC).
    GdiGraphSurface(HDC dc, int width, int height, POINT origin = POINT {0, 0});
    // Draws any line still held.
    ~GdiGraphSurface() override;
    GdiGraphSurface(const GdiGraphSurface&) = delete;
    GdiGraphSurface& operator=(const GdiGraphSurface&) = delete;

    void clear(Colour background) override;
    void drawLine(const GraphLine& line) override;
    void finishLines() override;
    // The caller draws the caption over the finished graph and gives it to the label.
    void setCaption(std::string_view) override { }

private:
    // Points of the run being collected; a longer run is drawn in parts that share an end point.
    static constexpr int kRunPoints = 512;

    HDC dc_;
    int width_;
    int height_;
    POINT origin_;
    win32kit::ScopedSelect pen_; // the DC pen, selected for the whole paint
    COLORREF runColour_ = 0;
    int runLength_ = 0;
    POINT run_[kRunPoints];
};

// The display text drawn over the graph, one line per CR-separated part, top left.
void drawCaption(HDC dc, std::string_view caption, POINT origin);

// Paints the current state without taking a sample: after a resize, and for containers that
// ask the control to draw itself into their own DC.
void paintState(const MemoryViewer& viewer, HDC dc, int width, int height, POINT origin);

} // namespace dralith
