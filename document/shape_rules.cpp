#include "document/shape_rules.h"

#include <cstdio>

#include "document/number_text.h"
#include "document/program_texts.h"
#include "engine/network_shape.h"

namespace ShapeRules {

std::optional<Refusal> ParseCount(std::string_view text, Field field, uint32_t& count)
{
    const std::string_view digits = TrimBlanks(text);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return Refusal{field, "Please enter an unsigned integer.", Refusal::Kind::FieldText};
    // Digits only: the one way to fail now is a value too large for 64 bits, out of range too.
    const std::optional<uint64_t> value = ParseUnsigned(digits);
    if (!value || *value < MinCount || *value > MaxCount)
        return Refusal{field, "Please enter an integer between 1 and 100000.", Refusal::Kind::FieldText};
    count = static_cast<uint32_t>(*value);
    return std::nullopt;
}

bool IsRatioAccepted(uint32_t inputs, uint32_t outputs)
{
    return inputs / 3 < outputs && outputs < 3 * inputs;
}

std::string RatioMessage(uint32_t inputs)
{
    char text[128];
    std::snprintf(text, sizeof text, ProgramText::RatioError, inputs, inputs / 3, 3 * inputs);
    return text;
}

std::optional<Refusal> CheckShape(uint32_t layers, uint32_t inputs, uint32_t outputs)
{
    if (!IsRatioAccepted(inputs, outputs))
        return Refusal{Field::Outputs, RatioMessage(inputs)};
    const auto l = static_cast<int32_t>(layers);
    const auto i = static_cast<int32_t>(inputs);
    const auto o = static_cast<int32_t>(outputs);
    if (!IsShapeBuildable(l, i, o)) {
        char text[160];
        std::snprintf(text, sizeof text,
                      "The network is too large: %lld neurons. At most %lld neurons can be built.",
                      static_cast<long long>(NeuronCountOf(l, i, o)),
                      static_cast<long long>(MaxNeuronCount));
        return Refusal{Field::Layers, text};
    }
    return std::nullopt;
}

std::optional<Refusal> CheckFields(std::string_view layersText, std::string_view inputsText,
                                   std::string_view outputsText, uint32_t& layers,
                                   uint32_t& inputs, uint32_t& outputs)
{
    if (auto refusal = ParseCount(inputsText, Field::Inputs, inputs))
        return refusal;
    if (auto refusal = ParseCount(outputsText, Field::Outputs, outputs))
        return refusal;
    if (auto refusal = ParseCount(layersText, Field::Layers, layers))
        return refusal;
    return CheckShape(layers, inputs, outputs);
}

}  // namespace ShapeRules
