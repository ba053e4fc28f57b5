// Corvina against FANN 2.2 (float) on networks of about the same connection count, in one
// process: training one pattern at a time, and running a million rows forward. Each measurement
// is taken in several short rounds alternating between the two, and the best round of each
// counts, so that a busy machine slows both alike. Rounds are timed by the thread's processor
// time, which other programs on a shared core do not inflate; the million rows by the clock.
//
// Run with: make bench-peer   (or build/release/bench/peer/peer_bench [seconds per round])
#include <floatfann.h>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/discrete_net.h"
#include "engine/network_shape.h"
#include "engine/random_source.h"

namespace {

constexpr int32_t PatternCount = 256;
constexpr int32_t ForwardRows = 1000000;
constexpr int Rounds = 15;
// The rate of a fresh error history.
constexpr int32_t FreshRate = 10922;

struct PeerShape {
    int32_t layers;
    int32_t inputs;
    int32_t outputs;
    std::vector<unsigned int> fannLayers;
};

const std::vector<PeerShape> Shapes = {
    {5, 4, 2, {4, 4, 4, 4, 4, 4, 2}},
    {3, 16, 8, {16, 8, 8}},
    {10, 64, 32, {64, 27, 32}},
    {4, 256, 100, {256, 12, 100}},
};

double Seconds(std::chrono::steady_clock::duration duration)
{
    return std::chrono::duration<double>(duration).count();
}

// The processor time this thread has used, in seconds.
double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Calls work(count) with growing counts until one call lasts the round, and returns the best
// rate over the rounds; rounds of the two contenders alternate through next.
struct Contest {
    double roundSeconds;
    double best[2] = {0, 0};

    void Run(const std::function<void(int64_t)>& first, const std::function<void(int64_t)>& second)
    {
        int64_t counts[2] = {64, 64};
        const std::function<void(int64_t)>* work[2] = {&first, &second};
        for (int round = 0; round < Rounds * 2; ++round) {
            const int who = round % 2;
            for (;;) {
                const double start = ThreadSeconds();
                (*work[who])(counts[who]);
                const double elapsed = ThreadSeconds() - start;
                if (elapsed >= roundSeconds) {
                    best[who] = std::max(best[who], static_cast<double>(counts[who]) / elapsed);
                    break;
                }
                counts[who] *= 2;
            }
        }
    }
};

struct Patterns {
    Patterns(int32_t inputs, int32_t outputs, RandomSource& random)
        : levels(static_cast<size_t>(inputs) * PatternCount), targets(static_cast<size_t>(outputs) * PatternCount),
          values(levels.size()), wanted(targets.size())
    {
        for (size_t k = 0; k < levels.size(); ++k) {
            levels[k] = static_cast<uint8_t>(random.Draw() & 0xFF);
            values[k] = static_cast<float>(levels[k]) / 255.0f;
        }
        for (size_t k = 0; k < targets.size(); ++k) {
            targets[k] = static_cast<uint8_t>(random.Draw() & 0xFF);
            wanted[k] = static_cast<float>(targets[k]) / 255.0f;
        }
    }
    std::vector<uint8_t> levels;
    std::vector<uint8_t> targets;
    std::vector<float> values;
    std::vector<float> wanted;
};

struct CorvinaNet {
    CorvinaNet(const PeerShape& shape, RandomSource& random)
        : buffer(shape.inputs, shape.outputs),
          net(static_cast<int32_t>(NeuronCountOf(shape.layers, shape.inputs, shape.outputs)), buffer)
    {
        net.Wire();
        net.Randomize(random);
    }
    PatternBuffer buffer;
    DiscreteNet net;
};

void PrintRow(const char* what, const PeerShape& shape, unsigned int connections, double fann, double corvina,
              int64_t corvinaConnections)
{
    std::string fannName;
    for (size_t k = 0; k < shape.fannLayers.size(); ++k) {
        if (k > 0) {
            fannName += '-';
        }
        fannName += std::to_string(shape.fannLayers[k]);
    }
    std::printf("%-16s %3d,%3d,%3d  %-16s %12.0f %12.0f %8.2f %14.3e %14.3e\n", what, shape.layers, shape.inputs,
                shape.outputs, fannName.c_str(), fann, corvina, corvina / fann, fann * connections,
                corvina * static_cast<double>(corvinaConnections));
}

} // namespace

int main(int argc, char** argv)
{
    const double roundSeconds = argc > 1 ? std::atof(argv[1]) : 0.1;
    std::printf("Corvina engine path: %s; FANN 2.2 float, default activations; best of %d rounds of %.2f s\n\n",
                EnginePathName(FastestEnginePath()), Rounds, roundSeconds);
    std::printf("%-16s %-12s %-16s %12s %12s %8s %14s %14s\n", "measure", "Corvina", "FANN", "FANN/s",
                "Corvina/s", "ratio", "FANN conn/s", "Corvina conn/s");
    for (const PeerShape& shape : Shapes) {
        RandomSource random(7);
        const Patterns patterns(shape.inputs, shape.outputs, random);
        std::unique_ptr<fann, void (*)(fann*)> ann(
            fann_create_standard_array(static_cast<unsigned int>(shape.fannLayers.size()), shape.fannLayers.data()),
            fann_destroy);
        fann_set_training_algorithm(ann.get(), FANN_TRAIN_INCREMENTAL);
        fann_randomize_weights(ann.get(), -0.1f, 0.1f);
        const unsigned int connections = fann_get_total_connections(ann.get());
        const auto inputs = static_cast<size_t>(shape.inputs);
        const auto outputs = static_cast<size_t>(shape.outputs);

        RandomSource fannDraws(11);
        const auto trainFann = [&](int64_t count) {
            for (int64_t k = 0; k < count; ++k) {
                const auto pattern = static_cast<size_t>(fannDraws.Draw() % PatternCount);
                fann_train(ann.get(), const_cast<float*>(&patterns.values[pattern * inputs]),
                           const_cast<float*>(&patterns.wanted[pattern * outputs]));
            }
        };
        for (Rounding rounding : {Rounding::Classic, Rounding::Precise}) {
            CorvinaNet corvina(shape, random);
            int64_t errorSum = 0;
            const auto trainCorvina = [&](int64_t count) {
                for (int64_t k = 0; k < count; ++k) {
                    const auto pattern = static_cast<size_t>(random.Draw() % PatternCount);
                    for (int32_t i = 0; i < shape.inputs; ++i) {
                        corvina.buffer.SetInput(i, patterns.levels[pattern * inputs + static_cast<size_t>(i)]);
                    }
                    corvina.net.Forward();
                    for (int32_t t = 0; t < shape.outputs; ++t) {
                        corvina.net.SetTarget(t, patterns.targets[pattern * outputs + static_cast<size_t>(t)]);
                    }
                    errorSum += corvina.net.Learn(FreshRate, random, rounding);
                }
            };
            Contest contest{roundSeconds};
            contest.Run(trainFann, trainCorvina);
            PrintRow(rounding == Rounding::Classic ? "train classic" : "train precise", shape, connections,
                     contest.best[0], contest.best[1], 4 * int64_t{corvina.net.GetNeuronCount()});
            if (errorSum < 0) {
                return 1;
            }
        }

        // A million rows forward, as batch consultation runs them: inputs in, outputs out; Corvina
        // takes its rows in batches of a thousand.
        CorvinaNet corvina(shape, random);
        std::vector<float> fannOut(outputs);
        constexpr int64_t Batch = 1000;
        std::vector<uint8_t> batchInputs(static_cast<size_t>(Batch) * inputs);
        for (size_t k = 0; k < batchInputs.size(); ++k) {
            batchInputs[k] = patterns.levels[k % patterns.levels.size()];
        }
        std::vector<uint8_t> corvinaOut(static_cast<size_t>(Batch) * outputs);
        uint64_t checksum = 0;
        const auto runFann = [&](int64_t count) {
            for (int64_t k = 0; k < count; ++k) {
                const auto pattern = static_cast<size_t>(k % PatternCount);
                const float* out = fann_run(ann.get(), const_cast<float*>(&patterns.values[pattern * inputs]));
                fannOut[0] += out[0];
            }
        };
        const auto runCorvina = [&](int64_t count) {
            for (int64_t done = 0; done < count; done += Batch) {
                corvina.net.ForwardRows(batchInputs.data(), std::min(Batch, count - done), corvinaOut.data());
                checksum += corvinaOut[0];
            }
        };
        Contest forward{roundSeconds};
        forward.Run(runFann, runCorvina);
        const auto start = std::chrono::steady_clock::now();
        runFann(ForwardRows);
        const double fannMillion = Seconds(std::chrono::steady_clock::now() - start);
        const auto corvinaStart = std::chrono::steady_clock::now();
        runCorvina(ForwardRows);
        const double corvinaMillion = Seconds(std::chrono::steady_clock::now() - corvinaStart);
        PrintRow("forward", shape, connections, forward.best[0], forward.best[1], 4 * int64_t{corvina.net.GetNeuronCount()});
        std::printf("%-16s %-29s %11.3fs %11.3fs %8.2f\n", "  1,000,000 rows", "", fannMillion, corvinaMillion,
                    fannMillion / corvinaMillion);
        if (checksum == 1 && fannOut[0] < 0) {
            return 1;
        }
    }
    return 0;
}
