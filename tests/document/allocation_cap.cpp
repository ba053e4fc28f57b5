#include "tests/document/allocation_cap.h"

#include <algorithm>
#include <cstdlib>
#include <new>

void* operator new(size_t size)
{
    AllocationCap::largest = std::max(AllocationCap::largest, size);
    void* block = size <= AllocationCap::limit ? std::malloc(size == 0 ? 1 : size) : nullptr;
    if (block == nullptr)
        throw std::bad_alloc();
    return block;
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, size_t) noexcept { std::free(block); }
