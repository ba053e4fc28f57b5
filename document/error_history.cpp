#include "document/error_history.h"

ErrorHistory::ErrorHistory() : entries(new int32_t[static_cast<size_t>(RingLength)])
{
    Fill(ResetValue);
}

void ErrorHistory::Fill(int32_t value)
{
    fillValue = value;
    wrapped = false;
    position = 0;
    sum = int64_t{value} * RingLength;
}

void ErrorHistory::Record(int32_t error)
{
    const int32_t oldest = GetEntry(position);
    sum += int64_t{error} - oldest;
    entries[static_cast<size_t>(position)] = error;
    if (++position == RingLength) {
        position = 0;
        wrapped = true;
    }
}
