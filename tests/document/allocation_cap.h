#pragma once

#include <cstddef>
#include <cstdint>

// The test program's operator new refuses blocks above a cap while one is set, and keeps the
// largest block asked for: a load of a damaged file must build nothing large.
namespace AllocationCap {

inline size_t limit = SIZE_MAX;  // SIZE_MAX: no cap
inline size_t largest = 0;       // reset by whoever sets the cap

}  // namespace AllocationCap
