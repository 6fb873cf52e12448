#pragma once
// FreeUpMemory: grabs 2 MiB blocks one after the other so the system pages other memory out,
// lets pending messages run every 6th block (repaints, stop requests) and releases everything
// at the end. The allocator and the message pump are injected so the loop runs in tests.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace dralith {

constexpr std::size_t kBlockChars = 1048576;      // two-byte characters per block (2 MiB)
constexpr std::int64_t kBlockSlots = 65536;       // slots 0..65535; higher block numbers are skipped
constexpr std::int64_t kPendingMessagesEvery = 6; // blocks between two message pumps (12 MiB)

// A block held during a free-up; released by destruction.
class MemoryBlock {
public:
    virtual ~MemoryBlock() = default;
};

class BlockAllocator {
public:
    virtual ~BlockAllocator() = default;
    // One new block; may throw std::bad_alloc (the free-up skips that block).
    virtual std::unique_ptr<MemoryBlock> allocate() = 0;
};

// The real block: a text of kBlockChars UTF-16 spaces; filling it writes every page, so the
// memory is really committed.
class BlankTextBlock : public MemoryBlock {
public:
    BlankTextBlock()
        : text_(kBlockChars, u' ')
    {
    }
    const std::u16string& text() const { return text_; }

private:
    std::u16string text_;
};

class BlankTextBlockAllocator : public BlockAllocator {
public:
    std::unique_ptr<MemoryBlock> allocate() override;
};

// Lets the host's pending window messages run (may re-enter FreeUp::freeUpMemory).
using PendingMessagePump = std::function<void()>;

// Amount of a left click with free-on-click on: MemoryMaxMB * 3 / 4 rounded half-to-even.
std::int32_t freeOnClickAmountMB(std::int32_t memoryMaxMB);

class FreeUp {
public:
    // While a free-up runs (also during its first block, when step is still 0): requests the
    // stop (step := total, so the loop ends after the current block) and returns at once.
    // Otherwise runs a free-up of total = min(amountMB, physicalMB) + 1 blocks (slots 0..total)
    // and returns when it has ended; step is 0 again and every block is released.
    // physicalMB is Mmax, the megabytes of totalPhys. A negative amount allocates nothing.
    void freeUpMemory(std::int32_t amountMB, std::int32_t physicalMB, BlockAllocator& allocator,
        const PendingMessagePump& pumpPendingMessages);

    bool running() const { return running_; }
    // Block number of the running free-up, 0 when idle (and during its first block).
    std::int64_t step() const { return step_; }
    // Last block number of the current free-up.
    std::int64_t total() const { return total_; }

private:
    void runLoop(BlockAllocator& allocator, const PendingMessagePump& pumpPendingMessages);

    bool running_ = false;
    std::int64_t step_ = 0;
    std::int64_t total_ = 0;
};

} // namespace dralith
