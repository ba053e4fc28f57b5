// The shape rules on any three field texts: the first field refused is the first of inputs,
// outputs, layers that is not an unsigned decimal within 1..100000, with its message; then the
// ratio window; then the cap on the neuron count.
#include <cstring>

#include "document/shape_rules.h"
#include "engine/network_shape.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

// 0 for text that is no unsigned decimal, 1 for one out of range, 2 for one within 1..100000;
// blanks around the digits are allowed.
int Classify(std::string text, uint32_t& value)
{
    const char* const blanks = " \t\r\n\v\f";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return 0;
    text = text.substr(first, text.find_last_not_of(blanks) - first + 1);
    if (text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    const size_t significant = text.find_first_not_of('0');
    if (significant == std::string::npos)
        return 1;  // zero
    const std::string digits = text.substr(significant);
    if (digits.size() > 6 || std::stoul(digits) > 100000)
        return 1;
    value = static_cast<uint32_t>(std::stoul(digits));
    return 2;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Three texts separated by newlines: layers, inputs, outputs.
    std::string fields[3];
    size_t field = 0;
    for (size_t i = 0; i < size && field < 3; ++i) {
        if (data[i] == '\n')
            ++field;
        else
            fields[field] += static_cast<char>(data[i]);
    }
    uint32_t layers = 0, inputs = 0, outputs = 0;
    const auto refusal = ShapeRules::CheckFields(fields[0], fields[1], fields[2], layers, inputs, outputs);

    uint32_t values[3] = {};
    const ShapeRules::Field order[3] = {ShapeRules::Field::Inputs, ShapeRules::Field::Outputs, ShapeRules::Field::Layers};
    const size_t textOf[3] = {1, 2, 0};
    for (size_t k = 0; k < 3; ++k) {
        const int kind = Classify(fields[textOf[k]], values[textOf[k]]);
        if (kind == 2)
            continue;
        FUZZ_CHECK(refusal && refusal->field == order[k]);
        FUZZ_CHECK(refusal->message == (kind == 0 ? "Please enter an unsigned integer."
                                                  : "Please enter an integer between 1 and 100000."));
        return 0;
    }
    const uint32_t l = values[0], n = values[1], m = values[2];
    if (!(n / 3 < m && m < 3 * n)) {
        FUZZ_CHECK(refusal && refusal->field == ShapeRules::Field::Outputs);
        FUZZ_CHECK(refusal->message == ShapeRules::RatioMessage(n));
        return 0;
    }
    const int64_t neurons = int64_t{l} * n + m;
    if (neurons > MaxNeuronCount) {
        FUZZ_CHECK(refusal && refusal->field == ShapeRules::Field::Layers);
        FUZZ_CHECK(std::strstr(refusal->message.c_str(), "The network is too large") != nullptr);
        return 0;
    }
    FUZZ_CHECK(!refusal && layers == l && inputs == n && outputs == m);
    return 0;
}
