// The model's learning operations: its settings, evaluation, and keeping the best network.
#include <stdexcept>

#include "document/network_model.h"
#include "document/training_import.h"
#include "document/transformation_tables.h"

namespace {

std::span<const double> TablesOf(const NetworkModel& model, Column column, int32_t count)
{
    return {model.GetTable(column, 0), static_cast<size_t>(count) * TableLength};
}

// The settings that decide what keeping the best network evaluates, and how often.
bool KeepsAlike(const LearningSettings& a, const LearningSettings& b)
{
    return a.keepBest == b.keepBest && a.classes == b.classes;
}

}  // namespace

void NetworkModel::SetSettings(const LearningSettings& newSettings)
{
    if (!KeepsAlike(settings, newSettings))
        ForgetBest();
    settings = newSettings;
}

EvaluationSet NetworkModel::QuantizeForEvaluation(const RawRecords& records) const
{
    return QuantizeRecords(records.values, GetInputCount(), GetOutputCount(),
                           {TablesOf(*this, Column::Input, GetInputCount()),
                            TablesOf(*this, Column::Output, GetOutputCount())});
}

Evaluation NetworkModel::Evaluate(const RawRecords& records, int32_t classes, const EvaluationProgress& progress)
{
    return ::Evaluate(*net, TablesOf(*this, Column::Output, GetOutputCount()), QuantizeForEvaluation(records),
                      classes, progress);
}

Evaluation NetworkModel::EvaluatePatterns(int32_t classes, const EvaluationProgress& progress)
{
    const std::span<const double> tables = TablesOf(*this, Column::Output, GetOutputCount());
    return ::Evaluate(*net, tables, SetFromPatterns(patterns, GetInputCount(), GetOutputCount(), tables), classes,
                      progress);
}

std::string NetworkModel::StartKeepingBest(const EvaluationProgress& progress)
{
    const auto classes = static_cast<int32_t>(settings.classes);
    if (classes != 0 && !IsClassCountValid(classes, GetOutputCount()))
        return "A network of " + std::to_string(GetOutputCount()) + " outputs cannot stand for " +
               std::to_string(classes) + " classes.";
    const std::string& path = settings.keepBest.validationPath;
    EvaluationSet set;
    if (path.empty()) {
        if (patterns.empty())
            return "The network has no training patterns to evaluate on.";
        set = SetFromPatterns(patterns, GetInputCount(), GetOutputCount(),
                              TablesOf(*this, Column::Output, GetOutputCount()));
    } else {
        const RawRecords records = ReadRawRecords(path, GetInputCount() + GetOutputCount());
        if (std::string refusal = DescribeImportRefusal(records, path); !refusal.empty())
            return refusal;
        set = QuantizeForEvaluation(records);
    }
    keepBest = std::make_unique<KeepBest>(std::move(set), settings.keepBest.every, classes);
    lastPassEvaluated = false;
    EvaluateForBest(progress);
    return {};
}

void NetworkModel::StopKeepingBest()
{
    keepBest.reset();
    lastPassEvaluated = false;
}

uint32_t NetworkModel::GetEvaluationInterval() const
{
    return keepBest ? keepBest->GetEvery() : 0;
}

const Evaluation* NetworkModel::EvaluateForBest(const EvaluationProgress& progress)
{
    if (!keepBest)
        return nullptr;
    return &keepBest->EvaluateAt(*net, TablesOf(*this, Column::Output, GetOutputCount()), passes, best, progress);
}

const Evaluation* NetworkModel::GetLastEvaluation() const
{
    return keepBest ? keepBest->GetLast() : nullptr;
}

bool NetworkModel::RestoreBestNetwork()
{
    return best.Restore(*net);
}

void NetworkModel::ForgetBest()
{
    StopKeepingBest();
    best.Clear();
}
