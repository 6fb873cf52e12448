#pragma once
// The platform's memory figures, in bytes, 64 bits wide so that machines of 2 GiB and more
// report true sizes.
#include <cstdint>

namespace platform {

struct MemoryFigures {
    std::uint64_t totalPhys = 0, availPhys = 0;
    std::uint64_t totalPageFile = 0, availPageFile = 0;
    std::uint64_t totalVirtual = 0, availVirtual = 0;
};

class Memory {
public:
    virtual ~Memory() = default;
    virtual MemoryFigures status() = 0;
};

} // namespace platform
