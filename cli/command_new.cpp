#include <filesystem>
#include <ostream>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/learning_options.h"
#include "cli/network_files.h"
#include "cli/random_seed.h"
#include "document/network_model.h"
#include "document/shape_rules.h"

namespace {

// The option that gives a field, and its text when the option is not given.
struct CountOption {
    std::string_view name;
    int32_t defaultValue;
};

CountOption OptionOf(ShapeRules::Field field)
{
    switch (field) {
    case ShapeRules::Field::Layers:
        return {"layers", NetworkModel::DefaultLayers};
    case ShapeRules::Field::Inputs:
        return {"inputs", NetworkModel::DefaultInputs};
    case ShapeRules::Field::Outputs:
        break;
    }
    return {"outputs", NetworkModel::DefaultOutputs};
}

}  // namespace

int RunNewCommand(const ParsedArguments& arguments, CommandContext& context)
{
    const std::string& path = arguments.positionals[0];
    const auto text = [&](ShapeRules::Field field) {
        const CountOption option = OptionOf(field);
        return arguments.Value(option.name).value_or(std::to_string(option.defaultValue));
    };
    using enum ShapeRules::Field;
    uint32_t layers = 0, inputs = 0, outputs = 0;
    // The shape is read and checked as the shape dialog reads and checks its fields.
    if (const auto refusal = ShapeRules::CheckFields(text(Layers), text(Inputs), text(Outputs), layers, inputs, outputs)) {
        if (refusal->kind == ShapeRules::Refusal::Kind::Shape)
            return ReportUserError(context, refusal->message);
        return ReportUserError(context, "--" + std::string(OptionOf(refusal->field).name) + " '" +
                                            text(refusal->field) + "': " + refusal->message);
    }
    std::string error;
    if (!IsValidSeed(arguments.Value("seed"), error))
        return ReportUserError(context, error);
    LearningSettings settings;
    if (!ApplyLearningOptions(arguments, static_cast<int32_t>(outputs), settings, error))
        return ReportUserError(context, error);
    std::error_code statusError;
    if (!arguments.Has("force") && std::filesystem::exists(path, statusError))
        return ReportUserError(context, path + " already exists; give --force to replace it");

    NetworkModel model;
    model.Reshape(static_cast<int32_t>(layers), static_cast<int32_t>(inputs), static_cast<int32_t>(outputs));
    model.SetSettings(settings);
    if (arguments.Has("randomize")) {
        SeedRandomSource(model.Random(), arguments.Value("seed"), error);
        model.Randomize();
    }
    if (!SaveNetwork(path, model, context))
        return ExitUserError;
    context.out << "Created " << path << ": " << layers << " layers, " << inputs << " inputs, " << outputs
                << " outputs, " << model.GetNet().GetNeuronCount() << " neurons, "
                << (arguments.Has("randomize") ? "random" : "zero") << " weights";
    if (settings.rounding != Rounding::Classic)
        context.out << ", " << RoundingName(settings.rounding) << " rounding";
    context.out << "\n";
    return ExitSuccess;
}
