// Import and batch consultation of a million rows, opening a network file, and one training
// pass of the model against the engine's own Forward + Learn.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "document/network_file.h"
#include "document/network_model.h"
#include "document/training_import.h"
#include "document/transformation_tables.h"

namespace {

constexpr int32_t Rows = 1000000;

std::string TempPath(const char* name)
{
    return (std::filesystem::temp_directory_path() / name).string();
}

// Writes rows of count numbers once per process and returns the file's path.
std::string MakeDataFile(const char* name, int32_t count)
{
    const std::string path = TempPath(name);
    std::FILE* file = std::fopen(path.c_str(), "w");
    for (int32_t row = 0; row < Rows; ++row) {
        for (int32_t j = 0; j < count; ++j) {
            // Unsigned, so that the spread wraps modulo 2^32 by definition rather than overflowing.
            const uint32_t spread = static_cast<uint32_t>(row) * 7919u + static_cast<uint32_t>(j) * 104729u;
            std::fprintf(file, j + 1 < count ? "%.6f " : "%.6f\n", spread % 100000 / 97.0);
        }
    }
    std::fclose(file);
    return path;
}

// A 3-layer network with 3 inputs and 3 outputs, random weights: records of 6 numbers.
void MakeModel(NetworkModel& model)
{
    model.Reshape(3, 3, 3);
    model.Random().Seed(1);
    model.Randomize();
}

void BM_Import(benchmark::State& state)
{
    static const std::string path = MakeDataFile("corvina_bench_import.txt", 6);
    NetworkModel model;
    MakeModel(model);
    for (auto _ : state) {
        model.ImportRecords(ReadRawRecords(path, 6), true);
        benchmark::DoNotOptimize(model.GetPatternsCount());
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_Import)->Unit(benchmark::kMillisecond);

// The parts of BM_Import: reading the records, then building the six tables from them.
void BM_ReadRecords(benchmark::State& state)
{
    static const std::string path = MakeDataFile("corvina_bench_import.txt", 6);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadRawRecords(path, 6).GetRecordCount());
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_ReadRecords)->Unit(benchmark::kMillisecond);

void BM_BuildTables(benchmark::State& state)
{
    static const std::string path = MakeDataFile("corvina_bench_import.txt", 6);
    const RawRecords records = ReadRawRecords(path, 6);
    std::vector<double> tables(6 * TableLength);
    for (auto _ : state) {
        BuildTablesFromRecords(records, 3, tables.data(), tables.data() + 3 * TableLength);
        benchmark::DoNotOptimize(tables.data());
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_BuildTables)->Unit(benchmark::kMillisecond);

void BM_BatchConsult(benchmark::State& state)
{
    static const std::string path = MakeDataFile("corvina_bench_consult.txt", 3);
    const std::string output = TempPath("corvina_bench_consult_out.txt");
    NetworkModel model;
    MakeModel(model);
    for (auto _ : state)
        benchmark::DoNotOptimize(model.ConsultFile(path, output).rows);
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_BatchConsult)->Unit(benchmark::kMillisecond);

void BM_TrainPass(benchmark::State& state)
{
    // A few hundred patterns, as in training, so the draw stays a single one.
    const std::string path = TempPath("corvina_bench_train.txt");
    std::FILE* file = std::fopen(path.c_str(), "w");
    for (int32_t row = 0; row < 300; ++row)
        std::fprintf(file, "%d %d %d %d %d %d\n", row, row * 3, row * 7, row * 11, row * 13, row * 17);
    std::fclose(file);
    NetworkModel model;
    MakeModel(model);
    model.ImportRecords(ReadRawRecords(path, 6), true);
    for (auto _ : state)
        model.TrainPass();
}
BENCHMARK(BM_TrainPass);

// What a command of corvina-cli does before its work: a new model, then the network file (the
// default network with 300 patterns) read into it.
void BM_OpenNetwork(benchmark::State& state)
{
    const std::string data = TempPath("corvina_bench_open.txt");
    std::FILE* file = std::fopen(data.c_str(), "w");
    for (int32_t row = 0; row < 300; ++row)
        std::fprintf(file, "%d %d %d %d %d %d\n", row, row * 3, row * 7, row * 11, row * 13, row * 17);
    std::fclose(file);
    const std::string path = TempPath("corvina_bench_open.cvn");
    {
        NetworkModel model;
        model.ImportRecords(ReadRawRecords(data, 6), true);
        std::FILE* out = std::fopen(path.c_str(), "wb");
        const std::string bytes = WriteNetwork(model);
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }
    for (auto _ : state) {
        NetworkModel model;
        std::string reason;
        benchmark::DoNotOptimize(ReadNetworkFile(path, model, reason));
    }
}
BENCHMARK(BM_OpenNetwork)->Unit(benchmark::kMicrosecond);

// The same work done straight on the engine, for comparison with BM_TrainPass.
void BM_ForwardAndLearn(benchmark::State& state)
{
    NetworkModel model;
    MakeModel(model);
    DiscreteNet& net = model.GetNet();
    PatternBuffer& buffer = model.GetPatternBuffer();
    int32_t rate = 10922;
    uint8_t level = 0;
    for (auto _ : state) {
        for (int32_t i = 0; i < 3; ++i)
            buffer.SetInput(i, level);
        net.Forward();
        for (int32_t i = 0; i < 3; ++i)
            net.SetTarget(i, static_cast<uint8_t>(255 - level));
        rate = net.Learn(rate, model.Random()) % 20000 + 1;
        level = static_cast<uint8_t>(level + 37);
    }
}
BENCHMARK(BM_ForwardAndLearn);

}  // namespace
