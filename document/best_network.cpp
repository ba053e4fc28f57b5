#include "document/best_network.h"

#include <algorithm>
#include <utility>

#include "engine/discrete_net.h"

namespace {

constexpr int32_t WeightsPerNeuron = 4;

size_t WeightCount(const DiscreteNet& net)
{
    return static_cast<size_t>(net.GetNeuronCount()) * WeightsPerNeuron;
}

// Lower is better. Evaluations of the same records compare their exact sums.
bool IsBetter(const Evaluation& candidate, const Evaluation& kept)
{
    if (candidate.records == kept.records && candidate.outputs == kept.outputs)
        return candidate.squaredLevelErrors < kept.squaredLevelErrors;
    return candidate.levelError < kept.levelError;
}

}  // namespace

void BestNetwork::Clear()
{
    weights.clear();
    bestPasses = 0;
    bestEvaluation = Evaluation();
}

bool BestNetwork::Offer(const DiscreteNet& net, uint32_t passes, const Evaluation& evaluation)
{
    if (HasBest() && !IsBetter(evaluation, bestEvaluation))
        return false;
    weights.resize(WeightCount(net));
    size_t k = 0;
    for (int32_t neuron = 0; neuron < net.GetNeuronCount(); ++neuron) {
        for (int32_t index = 0; index < WeightsPerNeuron; ++index)
            weights[k++] = net.GetWeight(neuron, index);
    }
    bestPasses = passes;
    bestEvaluation = evaluation;
    return true;
}

bool BestNetwork::Restore(DiscreteNet& net) const
{
    if (!HasBest() || weights.size() != WeightCount(net))
        return false;
    size_t k = 0;
    for (int32_t neuron = 0; neuron < net.GetNeuronCount(); ++neuron) {
        for (int32_t index = 0; index < WeightsPerNeuron; ++index)
            net.SetWeight(neuron, index, weights[k++]);
    }
    return true;
}

bool BestNetwork::DiffersFrom(const DiscreteNet& net) const
{
    if (!HasBest())
        return false;
    if (weights.size() != WeightCount(net))
        return true;
    size_t k = 0;
    for (int32_t neuron = 0; neuron < net.GetNeuronCount(); ++neuron) {
        for (int32_t index = 0; index < WeightsPerNeuron; ++index) {
            if (weights[k++] != net.GetWeight(neuron, index))
                return true;
        }
    }
    return false;
}

// Evaluating one record takes from 0.05 (narrow networks) to 0.4 (bands of 1024 neurons) of the
// time of one training pass, the most in classic rounding; at 5 passes per record or more,
// evaluation takes at most 0.4 / (5 + 0.4), under 8 % of the training time.
uint32_t DefaultEvaluationInterval(size_t records)
{
    constexpr uint64_t PassesPerRecord = 5;
    constexpr uint64_t Least = 100;
    constexpr uint64_t Most = uint64_t{1} << 30;
    const uint64_t wanted = std::clamp<uint64_t>(PassesPerRecord * records, Least, Most);
    // Rounded up to 1, 2 or 5 times a power of ten, numbers that read well in a log.
    uint64_t power = 1;
    while (power * 10 <= wanted)
        power *= 10;
    for (uint64_t step : {uint64_t{1}, uint64_t{2}, uint64_t{5}, uint64_t{10}}) {
        if (step * power >= wanted)
            return static_cast<uint32_t>(step * power);
    }
    return static_cast<uint32_t>(Most);
}

KeepBest::KeepBest(EvaluationSet records, uint32_t interval, int32_t classes)
    : set(std::move(records)), every(interval != 0 ? interval : DefaultEvaluationInterval(set.GetRecordCount())),
      classCount(classes)
{
}

const Evaluation& KeepBest::EvaluateAt(DiscreteNet& net, std::span<const double> outputTables, uint32_t passes,
                                       BestNetwork& best, const EvaluationProgress& progress)
{
    last = Evaluate(net, outputTables, set, classCount, progress);
    hasLast = true;
    best.Offer(net, passes, last);
    return last;
}
