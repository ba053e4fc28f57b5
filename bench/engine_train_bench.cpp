// Training passes per second of the bare engine: draw a pattern, set its inputs, Forward, set
// its targets, Learn, in both roundings. Run with: build/release/bench/engine_train_bench
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "engine/discrete_net.h"
#include "engine/network_shape.h"
#include "engine/random_source.h"

namespace {

constexpr int32_t PatternCount = 256;
// The rate of a fresh error history.
constexpr int32_t FreshRate = 10922;

struct TrainingSet {
    TrainingSet(int32_t inputs, int32_t outputs, RandomSource& random)
        : inputCount(inputs), outputCount(outputs),
          inputLevels(static_cast<size_t>(inputs) * PatternCount),
          targetLevels(static_cast<size_t>(outputs) * PatternCount)
    {
        for (uint8_t& level : inputLevels) {
            level = static_cast<uint8_t>(random.Draw() & 0xFF);
        }
        for (uint8_t& level : targetLevels) {
            level = static_cast<uint8_t>(random.Draw() & 0xFF);
        }
    }

    int32_t inputCount;
    int32_t outputCount;
    std::vector<uint8_t> inputLevels;
    std::vector<uint8_t> targetLevels;
};

void TrainPass(benchmark::State& state)
{
    const auto layers = static_cast<int32_t>(state.range(0));
    const auto inputs = static_cast<int32_t>(state.range(1));
    const auto outputs = static_cast<int32_t>(state.range(2));
    const auto rounding = static_cast<Rounding>(state.range(3));
    const auto path = static_cast<EnginePath>(state.range(4));
    RandomSource random(7);
    PatternBuffer buffer(inputs, outputs);
    DiscreteNet net(static_cast<int32_t>(NeuronCountOf(layers, inputs, outputs)), buffer);
    net.Wire();
    if (!net.SetPath(path)) {
        state.SkipWithError("this processor cannot run the path");
        return;
    }
    net.Randomize(random);
    const TrainingSet set(inputs, outputs, random);

    int64_t errorSum = 0;
    for (auto _ : state) {
        const int32_t pattern = random.Draw() % PatternCount;
        const uint8_t* in = &set.inputLevels[static_cast<size_t>(pattern) * static_cast<size_t>(inputs)];
        for (int32_t i = 0; i < inputs; ++i) {
            buffer.SetInput(i, in[i]);
        }
        net.Forward();
        const uint8_t* target = &set.targetLevels[static_cast<size_t>(pattern) * static_cast<size_t>(outputs)];
        for (int32_t t = 0; t < outputs; ++t) {
            net.SetTarget(t, target[t]);
        }
        errorSum += net.Learn(FreshRate, random, rounding);
    }
    benchmark::DoNotOptimize(errorSum);

    const auto passes = static_cast<double>(state.iterations());
    state.SetItemsProcessed(state.iterations());
    state.counters["connection_updates_per_second"] =
        benchmark::Counter(passes * 4.0 * static_cast<double>(net.GetNeuronCount()), benchmark::Counter::kIsRate);
    state.counters["neuron_ns"] = benchmark::Counter(
        passes * static_cast<double>(net.GetNeuronCount()) * 1e-9,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

// Layers, inputs, outputs, rounding (0 classic, 1 precise), path (0 scalar, 1 AVX2, 2 AVX-512).
BENCHMARK(TrainPass)->ArgsProduct({{5}, {4}, {2}, {0, 1}, {0, 1, 2}})->ArgsProduct({{3}, {16}, {8}, {0, 1}, {0, 1, 2}})
    ->ArgsProduct({{10}, {64}, {32}, {0, 1}, {0, 1, 2}})->ArgsProduct({{4}, {256}, {100}, {0, 1}, {0, 1, 2}});
