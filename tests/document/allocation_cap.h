#pragma once

#include <cstddef>

// The test program's operator new refuses blocks above a cap while one is set, and keeps the
// largest block asked for: a load of a damaged file must build nothing large.
namespace AllocationCap {

void Set(size_t limit);
void Clear();
size_t Largest();

}  // namespace AllocationCap
