#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// Table-driven tests: each row is a struct whose first member is `const char* name`. A row
// prints as its name in failure messages, and each parameterised case is named after its row.
#define PRINTS_AS_NAME(Row) \
    [[maybe_unused]] inline void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

struct RowName {
    template <class Row>
    std::string operator()(const testing::TestParamInfo<Row>& info) const
    {
        return info.param.name;
    }
};
