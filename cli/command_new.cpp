#include <filesystem>
#include <ostream>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/network_session.h"
#include "cli/random_seed.h"
#include "document/shape_rules.h"

namespace {

struct CountOption {
    std::string_view name;
    ShapeRules::Field field;
    int32_t defaultValue;
};

// In the order the shape dialog reads its fields, so the same field is refused first.
constexpr CountOption CountOptions[] = {
    {"inputs", ShapeRules::Field::Inputs, CCorvinaDoc::DefaultInputs},
    {"outputs", ShapeRules::Field::Outputs, CCorvinaDoc::DefaultOutputs},
    {"layers", ShapeRules::Field::Layers, CCorvinaDoc::DefaultLayers},
};

}  // namespace

int RunNewCommand(const ParsedArguments& arguments, CommandContext& context)
{
    const std::string& path = arguments.positionals[0];

    uint32_t counts[3] = {};
    for (size_t i = 0; i < 3; ++i) {
        const CountOption& option = CountOptions[i];
        const std::string text = arguments.Value(option.name).value_or(std::to_string(option.defaultValue));
        if (auto refusal = ShapeRules::ParseCount(text, option.field, counts[i]))
            return ReportUserError(context, "--" + std::string(option.name) + " '" + text + "': " + refusal->message);
    }
    const uint32_t inputs = counts[0];
    const uint32_t outputs = counts[1];
    const uint32_t layers = counts[2];
    if (auto refusal = ShapeRules::CheckShape(layers, inputs, outputs))
        return ReportUserError(context, refusal->message);

    std::string error;
    if (!IsValidSeed(arguments.Value("seed"), error))
        return ReportUserError(context, error);
    std::error_code statusError;
    if (!arguments.Has("force") && std::filesystem::exists(path, statusError))
        return ReportUserError(context, path + " already exists; give --force to replace it");

    NetworkSession session(context.err);
    CCorvinaDoc& document = session.Document();
    if (!document.OnNewDocument())
        return ReportUserError(context, "the new network could not be made; " + path + " was not written");
    const auto l = static_cast<int32_t>(layers);
    const auto i = static_cast<int32_t>(inputs);
    const auto o = static_cast<int32_t>(outputs);
    const bool isDefaultShape = l == document.GetLayersCount() && i == document.GetInputCount() &&
                                o == document.GetOutputCount();
    if (!isDefaultShape && !document.ChangeShape(l, i, o))
        return ReportUserError(context, "the network could not be built; " + path + " was not written");
    if (arguments.Has("randomize")) {
        SeedRandomSource(document.GetRandomSource(), arguments.Value("seed"), error);
        document.OnRandomization();
    }
    if (!session.SaveAs(path))
        return ExitUserError;

    context.out << "Created " << path << ": " << layers << " layers, " << inputs << " inputs, " << outputs
                << " outputs, " << document.GetNet().GetNeuronCount() << " neurons, "
                << (arguments.Has("randomize") ? "random" : "zero") << " weights\n";
    return ExitSuccess;
}
