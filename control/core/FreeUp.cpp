#include "control/core/FreeUp.h"

#include <algorithm>
#include <new>
#include <vector>

#include "control/core/Rounding.h"

namespace dralith {

namespace {

// Puts the free-up back to idle however the loop ends.
class IdleOnExit {
public:
    IdleOnExit(bool& running, std::int64_t& step)
        : running_(running)
        , step_(step)
    {
    }
    ~IdleOnExit()
    {
        step_ = 0;
        running_ = false;
    }
    IdleOnExit(const IdleOnExit&) = delete;
    IdleOnExit& operator=(const IdleOnExit&) = delete;

private:
    bool& running_;
    std::int64_t& step_;
};

} // namespace

std::unique_ptr<MemoryBlock> BlankTextBlockAllocator::allocate()
{
    return std::make_unique<BlankTextBlock>();
}

std::int32_t freeOnClickAmountMB(std::int32_t memoryMaxMB)
{
    return roundHalfEvenToLong(static_cast<double>(memoryMaxMB) * 3.0 / 4.0);
}

void FreeUp::freeUpMemory(std::int32_t amountMB, std::int32_t physicalMB, BlockAllocator& allocator,
    const PendingMessagePump& pumpPendingMessages)
{
    if (running_) {
        // A stop request (a second call, a click): the loop ends after its current block.
        step_ = total_;
        return;
    }
    total_ = std::min(amountMB, physicalMB);
    step_ = 0;
    running_ = true;
    IdleOnExit idleOnExit(running_, step_);
    runLoop(allocator, pumpPendingMessages);
}

void FreeUp::runLoop(BlockAllocator& allocator, const PendingMessagePump& pumpPendingMessages)
{
    const std::int64_t total = total_; // the bound is fixed when the loop starts
    std::vector<std::unique_ptr<MemoryBlock>> blocks;
    try {
        blocks.resize(static_cast<std::size_t>(std::clamp<std::int64_t>(total + 1, 0, kBlockSlots)));
    } catch (const std::bad_alloc&) {
        // No table: every block is skipped, the loop still runs its steps.
    }
    while (step_ <= total) {
        const std::int64_t slot = step_;
        if (slot < static_cast<std::int64_t>(blocks.size())) {
            try {
                blocks[static_cast<std::size_t>(slot)] = allocator.allocate();
            } catch (const std::bad_alloc&) {
                // Skipped: the free-up goes on with the next block.
            }
        }
        if (slot % kPendingMessagesEvery == 0 && pumpPendingMessages)
            pumpPendingMessages();
        step_ = step_ + 1; // read back: a stop request set it to the total
    }
    step_ = 0; // idle first, then the table releases every block on leaving
}

} // namespace dralith
