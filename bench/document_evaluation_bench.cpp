// What keeping the best network costs: one training pass of the engine against one evaluated
// record, and training with an evaluation every DefaultEvaluationInterval passes against training
// alone, for the shapes of the examples and wider ones. The share that evaluation takes of
// training is the counter evaluation_share (to stay below 0.1).
// Run with: build/release/bench/document_evaluation_bench
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <vector>

#include "document/best_network.h"
#include "document/evaluation.h"
#include "engine/discrete_net.h"
#include "engine/network_shape.h"
#include "engine/random_source.h"

namespace {

// The rate of a fresh error history.
constexpr int32_t FreshRate = 10922;

struct Network {
    Network(int32_t layers, int32_t inputs, int32_t outputs)
        : buffer(inputs, outputs), net(static_cast<int32_t>(NeuronCountOf(layers, inputs, outputs)), buffer),
          tables(static_cast<size_t>(outputs) * 256)
    {
        net.Wire();
        RandomSource random(11);
        net.Randomize(random);
        for (size_t k = 0; k < tables.size(); ++k)
            tables[k] = static_cast<double>(k % 256);
    }

    PatternBuffer buffer;
    DiscreteNet net;
    std::vector<double> tables;
};

EvaluationSet RandomSet(int32_t inputs, int32_t outputs, size_t records)
{
    RandomSource random(5);
    EvaluationSet set;
    set.inputs = inputs;
    set.outputs = outputs;
    for (size_t k = 0; k < records * static_cast<size_t>(inputs); ++k)
        set.inputLevels.push_back(static_cast<uint8_t>(random.Draw() & 0xFF));
    for (size_t k = 0; k < records * static_cast<size_t>(outputs); ++k) {
        set.targetLevels.push_back(static_cast<uint8_t>(random.Draw() & 0xFF));
        set.targetValues.push_back(set.targetLevels.back());
    }
    return set;
}

double Now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// One training pass as the network model makes it: a pattern drawn, its inputs set, Forward,
// its targets set, Learn.
int32_t TrainPass(Network& network, const EvaluationSet& set, RandomSource& random, Rounding rounding)
{
    const size_t records = set.GetRecordCount();
    const auto pattern = static_cast<size_t>(random.Draw()) % records;
    const auto inputs = static_cast<size_t>(set.inputs);
    const auto outputs = static_cast<size_t>(set.outputs);
    for (size_t i = 0; i < inputs; ++i)
        network.buffer.SetInput(static_cast<int32_t>(i), set.inputLevels[pattern * inputs + i]);
    network.net.Forward();
    for (size_t t = 0; t < outputs; ++t)
        network.net.SetTarget(static_cast<int32_t>(t), set.targetLevels[pattern * outputs + t]);
    return network.net.Learn(FreshRate, random, rounding);
}

// Layers, inputs, outputs, rounding (0 classic, 1 precise).
void BM_TrainPass(benchmark::State& state)
{
    Network network(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)),
                    static_cast<int32_t>(state.range(2)));
    const EvaluationSet set = RandomSet(network.buffer.GetInputCount(), network.buffer.GetOutputCount(), 256);
    RandomSource random(3);
    int64_t errors = 0;
    const auto rounding = static_cast<Rounding>(state.range(3));
    for (auto _ : state)
        errors += TrainPass(network, set, random, rounding);
    benchmark::DoNotOptimize(errors);
    state.SetItemsProcessed(state.iterations());
}

void BM_EvaluateRecords(benchmark::State& state)
{
    Network network(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)),
                    static_cast<int32_t>(state.range(2)));
    const auto records = static_cast<size_t>(state.range(3));
    const EvaluationSet set = RandomSet(network.buffer.GetInputCount(), network.buffer.GetOutputCount(), records);
    const int32_t classes = network.buffer.GetOutputCount() >= 2 ? 2 : 0;
    for (auto _ : state) {
        const Evaluation evaluation = Evaluate(network.net, network.tables, set, classes);
        benchmark::DoNotOptimize(evaluation.squaredLevelErrors);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(records));
}

// Training with keep-best at the default interval: the time of the passes and of the
// evaluations, measured apart, and the share of the evaluations.
void BM_TrainWithKeepBest(benchmark::State& state)
{
    Network network(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)),
                    static_cast<int32_t>(state.range(2)));
    const auto records = static_cast<size_t>(state.range(3));
    const EvaluationSet training = RandomSet(network.buffer.GetInputCount(), network.buffer.GetOutputCount(), 256);
    KeepBest keepBest(RandomSet(network.buffer.GetInputCount(), network.buffer.GetOutputCount(), records), 0, 0);
    RandomSource random(3);
    BestNetwork best;
    double trainingSeconds = 0;
    double evaluationSeconds = 0;
    uint32_t passes = 0;
    for (auto _ : state) {
        const auto start = Now();
        for (uint32_t k = 0; k < keepBest.GetEvery(); ++k)
            TrainPass(network, training, random, Rounding::Classic);
        passes += keepBest.GetEvery();
        const auto middle = Now();
        keepBest.EvaluateAt(network.net, network.tables, passes, best);
        const auto end = Now();
        trainingSeconds += middle - start;
        evaluationSeconds += end - middle;
    }
    state.counters["every"] = keepBest.GetEvery();
    state.counters["evaluation_share"] = evaluationSeconds / (trainingSeconds + evaluationSeconds);
}

}  // namespace

#define CORVINA_SHAPES(bench, records)                                                                    \
    BENCHMARK(bench)->Args({5, 4, 2, records})->Args({3, 4, 3, records})->Args({3, 13, 6, records})        \
        ->Args({3, 30, 12, records})->Args({5, 64, 32, records})->Args({3, 256, 128, records})      \
        ->Args({2, 1024, 512, records})

CORVINA_SHAPES(BM_TrainPass, 0);
CORVINA_SHAPES(BM_TrainPass, 1);
CORVINA_SHAPES(BM_EvaluateRecords, 1000);
CORVINA_SHAPES(BM_TrainWithKeepBest, 100)->Unit(benchmark::kMillisecond);
CORVINA_SHAPES(BM_TrainWithKeepBest, 10000)->Unit(benchmark::kMillisecond);
