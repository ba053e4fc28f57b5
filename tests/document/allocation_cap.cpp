#include "tests/document/allocation_cap.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

size_t allocationLimit = SIZE_MAX;
size_t largestAllocation = 0;

}  // namespace

void AllocationCap::Set(size_t limit)
{
    allocationLimit = limit;
    largestAllocation = 0;
}

void AllocationCap::Clear()
{
    allocationLimit = SIZE_MAX;
}

size_t AllocationCap::Largest()
{
    return largestAllocation;
}

void* operator new(size_t size)
{
    largestAllocation = std::max(largestAllocation, size);
    void* block = size <= allocationLimit ? std::malloc(size == 0 ? 1 : size) : nullptr;
    if (block == nullptr)
        throw std::bad_alloc();
    return block;
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, size_t) noexcept { std::free(block); }
