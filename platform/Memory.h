#pragma once
// The platform's memory figures, in bytes, 64 bits wide so that machines of 2 GiB and more
// report true sizes; and large blocks of committed memory for the free-up.
#include <cstddef>
#include <cstdint>
#include <utility>

namespace platform {

struct MemoryFigures {
    std::uint64_t totalPhys = 0, availPhys = 0;
    std::uint64_t totalPageFile = 0, availPageFile = 0;
};

class Memory {
public:
    virtual ~Memory() = default;
    virtual MemoryFigures status() = 0;
    // A block of `bytes`, every page written so that it is really committed; null when the
    // memory cannot be had.
    virtual void* allocateBlock(std::size_t bytes) = 0;
    virtual void releaseBlock(void* block, std::size_t bytes) = 0;
};

// Owns one block of Memory::allocateBlock.
class MemoryBlock {
public:
    MemoryBlock() = default;
    MemoryBlock(Memory& memory, std::size_t bytes)
        : memory_(&memory)
        , bytes_(bytes)
        , block_(memory.allocateBlock(bytes))
    {
    }
    ~MemoryBlock() { reset(); }
    MemoryBlock(MemoryBlock&& other) noexcept
        : memory_(other.memory_)
        , bytes_(other.bytes_)
        , block_(std::exchange(other.block_, nullptr))
    {
    }
    MemoryBlock& operator=(MemoryBlock&& other) noexcept
    {
        if (this != &other) {
            reset();
            memory_ = other.memory_;
            bytes_ = other.bytes_;
            block_ = std::exchange(other.block_, nullptr);
        }
        return *this;
    }
    MemoryBlock(const MemoryBlock&) = delete;
    MemoryBlock& operator=(const MemoryBlock&) = delete;

    explicit operator bool() const { return block_ != nullptr; }
    void reset()
    {
        if (block_)
            memory_->releaseBlock(std::exchange(block_, nullptr), bytes_);
    }

private:
    Memory* memory_ = nullptr;
    std::size_t bytes_ = 0;
    void* block_ = nullptr;
};

} // namespace platform
