#pragma once
// One control instance without its window: property state, sample history, free-up and the
// text buffer. The COM shell owns one, feeds it the memory figures and a drawing surface, and
// forwards the mouse and menu events.
#include <cstdint>
#include <string>
#include <string_view>

#include "control/core/ControlState.h"
#include "control/core/FreeUp.h"
#include "control/core/GraphGeometry.h"
#include "control/core/MemoryFigures.h"
#include "control/core/SampleHistory.h"

namespace dralith {

// Where Refresh paints. Implemented by the COM shell (GDI on a back buffer, label text).
class GraphSurface {
public:
    virtual ~GraphSurface() = default;
    virtual void clear(Colour background) = 0;
    // A surface may hold lines back to draw them together; finishLines puts every held line on
    // the surface. Refresh calls it after the last line, before the caption.
    virtual void drawLine(const GraphLine& line) = 0;
    virtual void finishLines() { }
    virtual void setCaption(std::string_view text) = 0;
};

class MemoryViewer {
public:
    MemoryViewer();

    ControlState& state() { return state_; }
    const ControlState& state() const { return state_; }
    const SampleHistory& history() const { return history_; }
    const FreeUp& freeUp() const { return freeUp_; }

    // Refresh: sample in front of the history (cut to the data length), clear to the
    // background colour; with at least two samples: the graph lines, the progress line while a
    // free-up runs, and the display text as caption. Fewer than two: caption left unchanged.
    // width and height are the surface's size in drawing units. Allocates nothing once the
    // history has reached its length.
    void refresh(const MemoryFigures& figures, double width, double height, GraphSurface& surface);

    // FreeUpMemory(memAmmountMB): see FreeUp::freeUpMemory; Mmax comes from the figures.
    void freeUpMemory(std::int32_t amountMB, const MemoryFigures& figures, BlockAllocator& allocator,
        const PendingMessagePump& pumpPendingMessages);

    // Left button released: with free-on-click on, FreeUpMemory(3/4 of MemoryMaxMB), which
    // stops a running free-up instead. Returns whether FreeUpMemory was called.
    bool leftButtonReleased(
        const MemoryFigures& figures, BlockAllocator& allocator, const PendingMessagePump& pumpPendingMessages);

    // The text last written as caption (empty before the second Refresh).
    const std::string& caption() const { return caption_; }

private:
    ControlState state_;
    SampleHistory history_;
    FreeUp freeUp_;
    std::string caption_;
};

} // namespace dralith
