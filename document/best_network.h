#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "document/evaluation.h"

class DiscreteNet;

// The weights of the best evaluation seen while training: the lowest mean squared level error,
// the earlier evaluation keeping a tie, with the passes count at which it was reached.
class BestNetwork {
public:
    // Forgets the kept weights (the network was rebuilt, or given other weights).
    void Clear();

    // Keeps the weights of net when evaluation, made at passes, is better than the kept one, or
    // nothing is kept yet; true when kept.
    bool Offer(const DiscreteNet& net, uint32_t passes, const Evaluation& evaluation);

    bool HasBest() const { return !weights.empty(); }
    // The passes count and the evaluation of the kept weights; meaningful while HasBest.
    uint32_t GetPasses() const { return bestPasses; }
    const Evaluation& GetEvaluation() const { return bestEvaluation; }

    // Gives net the kept weights; false, with net unchanged, when nothing is kept or net has
    // another neuron count than the network they were kept from.
    bool Restore(DiscreteNet& net) const;

    // True when weights are kept and net's differ from them.
    bool DiffersFrom(const DiscreteNet& net) const;

private:
    // Four per neuron, in neuron order, as the network file holds them.
    std::vector<uint8_t> weights;
    uint32_t bestPasses = 0;
    Evaluation bestEvaluation;
};

// Passes between two evaluations by default, so that evaluating on records records takes less
// than a tenth of the training time whatever the network's shape (see the benchmark
// bench/document_evaluation_bench.cpp).
uint32_t DefaultEvaluationInterval(size_t records);

// Keeping the best network during a training run: the records evaluated on, the interval and the
// classes for the class figures; the best so far is kept by the caller.
class KeepBest {
public:
    // every 0 takes DefaultEvaluationInterval; classes as Evaluate takes them.
    KeepBest(EvaluationSet records, uint32_t every, int32_t classes);

    uint32_t GetEvery() const { return every; }

    // True when the passes count passes is one at which to evaluate.
    bool IsDue(uint32_t passes) const { return passes % every == 0; }

    // Evaluates net as it stands at passes, offers its weights to best, and returns the
    // evaluation.
    const Evaluation& EvaluateAt(DiscreteNet& net, std::span<const double> outputTables, uint32_t passes,
                                 BestNetwork& best, const EvaluationProgress& progress = {});

    // The latest evaluation; null before the first.
    const Evaluation* GetLast() const { return hasLast ? &last : nullptr; }
    size_t GetRecordCount() const { return set.GetRecordCount(); }

private:
    EvaluationSet set;
    uint32_t every;
    int32_t classCount;
    Evaluation last;
    bool hasLast = false;
};
