#pragma once
// The free-memory indicator and the memory free-up. One call per refresh gives the indicator
// text, its tooltip and the gauge level; a free-up request (or free physical memory below the
// threshold, when automatic free-up is on) commits a run of 2-MiB blocks and releases them.
// Pending window messages run after every 16th block; a free-up request arriving there stops
// the running free-up.
#include "platform/Memory.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace memory {

class FreeMem {
public:
    static constexpr int kModeFreeUp = 2;
    static constexpr std::size_t kBlockBytes = 2 * 1024 * 1024;
    static constexpr std::int64_t kMaxBlocks = 65535;
    static constexpr std::int64_t kBlocksBetweenPending = 16;

    FreeMem(platform::Memory& memory, std::function<void()> processPending);
    FreeMem(const FreeMem&) = delete;
    FreeMem& operator=(const FreeMem&) = delete;

    // The memory settings: megabytes to free (0 or less: the whole physical memory), the
    // automatic threshold in megabytes, and the automatic switch.
    void setFreeUpAmount(std::int32_t megabytes) { FreeUpAmount = megabytes; }
    void setFreeUpThreshold(std::int32_t megabytes) { FreeUpThreshold = megabytes; }
    void setFreeUpAuto(bool on) { FreeUpAuto = on; }

    // mode 2 frees up now (or stops a running free-up); any other mode reports only. The
    // strings are written over, keeping their capacity. A call that stops a running free-up
    // leaves `level` unwritten.
    void MemoryStatus(int mode, std::string& tooltipText, int& level, std::string& result);

    // The program is ending: a running free-up ends after its current block, every block is
    // released now, and no free-up starts any more.
    void Abandon();

    bool running() const { return FreeUpStep > 0; }
    std::int64_t step() const { return FreeUpStep; }
    std::int64_t steps() const { return FreeUpSteps; }

private:
    void freeUp(std::uint64_t totalMb);

    platform::Memory& memory_;
    std::function<void()> processPending_;
    std::vector<platform::MemoryBlock> blocks_;
    bool abandoned_ = false;

    std::int32_t FreeUpAmount = 0;
    std::int32_t FreeUpThreshold = 0;
    bool FreeUpAuto = false;
    std::int64_t FreeUpStep = 0;  // 0 when idle; the block being allocated while running
    std::int64_t FreeUpSteps = 0; // blocks of the running free-up
};

} // namespace memory
