#include "control/core/MemoryViewer.h"

#include "control/core/DisplayText.h"

namespace dralith {

namespace {
// Longest display text (mode 6 with ten-digit figures) fits without growing.
constexpr std::size_t kCaptionRoom = 96;
constexpr std::size_t kInitialHistoryRoom = 32;
} // namespace

MemoryViewer::MemoryViewer()
{
    caption_.reserve(kCaptionRoom);
    history_.reserve(kInitialHistoryRoom);
}

void MemoryViewer::refresh(const MemoryFigures& figures, double width, double height, GraphSurface& surface)
{
    history_.push(freeMemorySample(figures), state_.historyLimit());
    surface.clear(backgroundColour(history_));
    if (history_.size() < 2)
        return;

    forEachGraphLine(history_, width, height, [&surface](const GraphLine& line) { surface.drawLine(line); });
    if (const auto y = progressLineY(height, freeUp_.step(), freeUp_.total()))
        surface.drawLine(GraphLine {0.0, *y, width, *y, kProgressLineColour});
    surface.finishLines();

    displayText(static_cast<double>(state_.storedDisplayMode()), figures, caption_);
    surface.setCaption(caption_);
}

void MemoryViewer::freeUpMemory(std::int32_t amountMB, const MemoryFigures& figures, BlockAllocator& allocator,
    const PendingMessagePump& pumpPendingMessages)
{
    freeUp_.freeUpMemory(amountMB, megabytes(figures.totalPhys), allocator, pumpPendingMessages);
}

bool MemoryViewer::leftButtonReleased(
    const MemoryFigures& figures, BlockAllocator& allocator, const PendingMessagePump& pumpPendingMessages)
{
    if (!state_.freeOnClickOn())
        return false;
    freeUpMemory(freeOnClickAmountMB(megabytes(figures.totalPhys)), figures, allocator, pumpPendingMessages);
    return true;
}

} // namespace dralith
