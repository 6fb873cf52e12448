#pragma once
// Memory figures from GlobalMemoryStatusEx and committed blocks from VirtualAlloc.
#include "platform/Memory.h"

namespace platform::win32 {

class Win32Memory final : public Memory {
public:
    MemoryFigures status() override;
    void* allocateBlock(std::size_t bytes) override;
    void releaseBlock(void* block, std::size_t bytes) override;
};

} // namespace platform::win32
