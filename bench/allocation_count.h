// Heap allocations made by this program: the global operator new is replaced to count them, so that a
// benchmark can read the count before and after the code it measures.
#pragma once

#include <cstdint>

namespace bench {

uint64_t AllocationsSoFar();

}  // namespace bench
