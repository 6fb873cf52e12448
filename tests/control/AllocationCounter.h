#pragma once
// Counts heap allocations made by this test program, so a test can show that a steady
// refresh tick allocates nothing.
#include <cstddef>

namespace dralith_test {

// Number of operator new calls since the program started.
std::size_t allocationCount();

} // namespace dralith_test
