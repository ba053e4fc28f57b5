#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The rules a network shape entered by the user must pass, shared by the shape dialog and the
// command-line tool so that both refuse the same shapes with the same messages.
namespace ShapeRules {

inline constexpr uint32_t MinCount = 1;
inline constexpr uint32_t MaxCount = 100000;

// Which field of the shape a message is about.
enum class Field { Layers, Inputs, Outputs };

// A refused shape: the field to put the focus on, the message, and what the message is about.
struct Refusal {
    enum class Kind {
        FieldText,  // a field that is no unsigned decimal within MinCount..MaxCount
        Shape,      // counts in range that do not make a network: the ratio or the size
    };
    Field field;
    std::string message;
    Kind kind = Kind::Shape;
};

// Parses one field's text, blanks around it allowed, as an unsigned decimal within
// MinCount..MaxCount.
std::optional<Refusal> ParseCount(std::string_view text, Field field, uint32_t& count);

// The ratio window floor(n / 3) < m < 3n between input count n and output count m.
bool IsRatioAccepted(uint32_t inputs, uint32_t outputs);

// "Error occured. If Input Count = %d, then OutputCount must be between %d & %d."
std::string RatioMessage(uint32_t inputs);

// Checks counts already within range: the ratio first, then whether the engine can build it.
std::optional<Refusal> CheckShape(uint32_t layers, uint32_t inputs, uint32_t outputs);

// Parses and checks the three field texts in the dialog's order: inputs, outputs, layers.
std::optional<Refusal> CheckFields(std::string_view layersText, std::string_view inputsText,
                                   std::string_view outputsText, uint32_t& layers,
                                   uint32_t& inputs, uint32_t& outputs);

}  // namespace ShapeRules
