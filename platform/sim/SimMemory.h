#pragma once
// Memory figures the tests set, and block accounting without taking real memory: the blocks
// handed out are distinct addresses that are never written.
#include "platform/Memory.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>

namespace sim {

class SimMemory final : public platform::Memory {
public:
    platform::MemoryFigures figures;
    std::set<long long> failingAllocations; // 1-based numbers of allocateBlock calls that return null
    long long allocations = 0;              // allocateBlock calls so far
    long long liveBlocks = 0, peakLiveBlocks = 0;
    std::size_t liveBytes = 0;

    platform::MemoryFigures status() override { return figures; }
    void* allocateBlock(std::size_t bytes) override;
    // Unknown blocks are ignored, so a double release shows up as a wrong liveBlocks count.
    void releaseBlock(void* block, std::size_t bytes) override;

private:
    std::map<std::uintptr_t, std::size_t> blocks_;
    std::uintptr_t nextBlock_ = 0x1000000;
};

} // namespace sim
