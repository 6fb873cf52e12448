#include "platform/sim/SimMemory.h"

#include <algorithm>

namespace sim {

void* SimMemory::allocateBlock(std::size_t bytes)
{
    ++allocations;
    if (failingAllocations.count(allocations))
        return nullptr;
    const std::uintptr_t address = nextBlock_;
    nextBlock_ += 0x10000;
    blocks_[address] = bytes;
    ++liveBlocks;
    peakLiveBlocks = std::max(peakLiveBlocks, liveBlocks);
    liveBytes += bytes;
    return reinterpret_cast<void*>(address);
}

void SimMemory::releaseBlock(void* block, std::size_t)
{
    auto it = blocks_.find(reinterpret_cast<std::uintptr_t>(block));
    if (it == blocks_.end())
        return;
    liveBytes -= it->second;
    --liveBlocks;
    blocks_.erase(it);
}

} // namespace sim
