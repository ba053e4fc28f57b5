#include "document/error_history.h"

ErrorHistory::ErrorHistory() : entries(static_cast<size_t>(RingLength), 0)
{
    Fill(ResetValue);
}

void ErrorHistory::Fill(int32_t value)
{
    std::fill(entries.begin(), entries.end(), value);
    position = 0;
    sum = int64_t{value} * RingLength;
}

void ErrorHistory::Record(int32_t error)
{
    int32_t& oldest = entries[static_cast<size_t>(position)];
    sum += int64_t{error} - oldest;
    oldest = error;
    position = position + 1 == RingLength ? 0 : position + 1;
}
