#pragma once

#include <cstdint>

// The one place that decides which network shapes the engine builds. Everything that builds a
// network from user input (the shape dialog, a loaded file, the command-line tool) asks here first.

// Largest neuron count L * W + O the engine builds.
inline constexpr int64_t MaxNeuronCount = int64_t{1} << 24;

// L * W + O computed exactly, whatever the counts.
int64_t NeuronCountOf(int32_t layers, int32_t inputs, int32_t outputs);

// True when every count is at least 1 and the neuron count is at most MaxNeuronCount.
bool IsShapeBuildable(int32_t layers, int32_t inputs, int32_t outputs);
