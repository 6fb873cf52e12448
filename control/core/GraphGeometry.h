#pragma once
// What one Refresh paints, as pure geometry: the background colour, the line segments of the
// history (oldest first) and the progress line of a running free-up. No allocation: segments
// are handed to a visitor one by one.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "control/core/Rounding.h"
#include "control/core/SampleColour.h"
#include "control/core/SampleHistory.h"

namespace dralith {

// One straight line of the graph in drawing units (x right, y down). The start point is the
// previous point rounded half-to-even; the end point is exact (the caller rounds it when it
// draws on a pixel grid: roundHalfEven gives the next segment's start).
struct GraphLine {
    double fromX = 0, fromY = 0;
    double toX = 0, toY = 0;
    Colour colour = 0;
};

// SampleColour(newest / 255, 128); an empty history is painted as sample 0.
Colour backgroundColour(const SampleHistory& history);

// Calls visit(const GraphLine&) for each of the size - 1 segments, oldest first:
// point i is x = W * i / (L - 1), y = (1 - v) * H with v = sample / 255, coloured SampleColour(v, 0).
// Fewer than two samples give no segment.
template <class Visitor>
void forEachGraphLine(const SampleHistory& history, double width, double height, Visitor&& visit);

// SampleColour(sample / 255, 0), looked up in a table made once.
Colour lineColour(std::uint8_t sample);

// The y of the white progress line (H * step / total) while a free-up runs (step > 0),
// otherwise nothing. The line goes from (0, y) to (width, y).
std::optional<double> progressLineY(double height, std::int64_t step, std::int64_t total);

// --- implementation of the template ---

template <class Visitor>
void forEachGraphLine(const SampleHistory& history, double width, double height, Visitor&& visit)
{
    const std::size_t count = history.size();
    if (count < 2)
        return;
    const double lastIndex = static_cast<double>(count - 1);
    double previousX = 0, previousY = 0;
    std::size_t i = 0;
    history.visitOldestFirst([&](std::uint8_t sample) {
        const double v = sample / 255.0;
        const double x = width * static_cast<double>(i) / lastIndex;
        const double y = (1.0 - v) * height;
        if (i > 0)
            visit(GraphLine {previousX, previousY, x, y, lineColour(sample)});
        previousX = roundHalfEven(x);
        previousY = roundHalfEven(y);
        ++i;
    });
}

} // namespace dralith
