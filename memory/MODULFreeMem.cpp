#include "memory/MODULFreeMem.h"

#include "memory/MemoryTexts.h"

#include <algorithm>
#include <new>
#include <utility>

namespace memory {

FreeMem::FreeMem(platform::Memory& memory, std::function<void()> processPending)
    : memory_(memory)
    , processPending_(std::move(processPending))
{
}

void FreeMem::MemoryStatus(int mode, std::string& tooltipText, int& level, std::string& result)
{
    const platform::MemoryFigures figures = memory_.status();
    writeTooltip(figures, tooltipText);
    writeFreeMegabytes(figures, result);

    int effectiveMode = mode;
    if (running()) {
        // Only reachable from the pending messages inside the free-up loop.
        writeProgress(FreeUpStep, FreeUpSteps, result);
        if (mode == kModeFreeUp) {
            FreeUpStep = FreeUpSteps; // the loop ends after its current block
            return;
        }
    } else if (FreeUpAuto && FreeUpThreshold > 0 &&
        wholeMegabytes(figures.availPhys) < static_cast<std::uint64_t>(FreeUpThreshold)) {
        effectiveMode = kModeFreeUp;
    }

    level = gaugeLevel(figures.availPhys, figures.totalPhys);
    if (effectiveMode == kModeFreeUp && !running() && !abandoned_)
        freeUp(wholeMegabytes(figures.totalPhys));
}

void FreeMem::freeUp(std::uint64_t totalMb)
{
    const std::int64_t n = blockCount(FreeUpAmount, totalMb);
    if (n <= 0)
        return;

    // Whatever happens inside (a pending message that throws included), the module ends idle
    // and holds no block.
    struct BackToIdle {
        FreeMem& self;
        ~BackToIdle()
        {
            self.blocks_.clear();
            self.FreeUpStep = 0;
            self.FreeUpSteps = 0;
        }
    } backToIdle {*this};

    blocks_.clear();
    try {
        blocks_.reserve(static_cast<std::size_t>(std::min(n, kMaxBlocks)));
    } catch (const std::bad_alloc&) {
        return; // not even room for the table: nothing to free up with
    }

    FreeUpSteps = n;
    FreeUpStep = 1;
    while (FreeUpStep <= n && !abandoned_) {
        if (FreeUpStep <= kMaxBlocks) {
            platform::MemoryBlock block(memory_, kBlockBytes);
            if (block) // a failed allocation is skipped
                blocks_.push_back(std::move(block));
        }
        if (FreeUpStep % kBlocksBetweenPending == 0 && processPending_)
            processPending_();
        ++FreeUpStep; // read back: a stop request has moved it to the end
    }
}

void FreeMem::Abandon()
{
    abandoned_ = true;
    blocks_.clear();
}

} // namespace memory
