#include "engine/neuron_arrays.h"

#include <cstring>
#include <new>

namespace {

constexpr std::align_val_t Alignment{64};

// Bytes of one array of count elements of size bytes, rounded up to the alignment.
size_t ArrayBytes(size_t count, size_t size)
{
    const size_t bytes = (count + NeuronArrays::Padding) * size;
    return (bytes + 63) / 64 * 64;
}

} // namespace

NeuronArrays::NeuronArrays(size_t neuronCount)
{
    const size_t byteArray = ArrayBytes(neuronCount, 1);
    const size_t wordArray = ArrayBytes(neuronCount, 4);
    const size_t longArray = ArrayBytes(neuronCount, 8);
    const size_t total = 8 * byteArray + 2 * wordArray + longArray;
    storage.reset(static_cast<std::byte*>(::operator new(total, Alignment)));
    std::memset(storage.get(), 0, total);
    std::byte* next = storage.get();
    const auto take = [&next](size_t bytes) {
        std::byte* start = next;
        next += bytes;
        return start;
    };
    for (uint8_t*& array : weights) {
        array = reinterpret_cast<uint8_t*>(take(byteArray));
    }
    for (uint8_t*& array : inputs) {
        array = reinterpret_cast<uint8_t*>(take(byteArray));
    }
    levels = reinterpret_cast<uint8_t*>(take(byteArray));
    // Taken one after the other, the byte arrays lie byteArray apart (View().byteStride).
    byteStride = byteArray;
    sums = reinterpret_cast<uint32_t*>(take(wordArray));
    errors = reinterpret_cast<int32_t*>(take(wordArray));
    levelEntries = reinterpret_cast<uint64_t*>(take(longArray));
}

NeuronArrays::~NeuronArrays() = default;

void NeuronArrays::AlignedDelete::operator()(std::byte* block) const
{
    ::operator delete(block, Alignment);
}
