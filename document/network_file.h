#pragma once

#include <string>
#include <string_view>

#include "framework/archive.h"

class NetworkModel;

// The .cvn network file: little-endian, no signature. The layers, inputs and outputs counts; 4
// weight bytes per neuron; 256 doubles per input column, then per output column; the pattern
// count and the patterns' levels; the passes count; the average error. Reading checks every
// count against the bytes that remain before it builds anything, so a damaged or foreign file
// is refused without a large allocation. After the average error may follow the settings block
// of settings_block.h, written only when a learning setting differs from its default; any other
// bytes there are ignored.

// Writes the model in the file layout.
void StoreNetwork(CArchive& archive, const NetworkModel& model);

// Reads a network file into model, which keeps its own random source. Throws CArchiveException
// with a sentence naming the cause (and std::bad_alloc when memory runs out); model is as it was
// then.
void LoadNetwork(CArchive& archive, NetworkModel& model);

// The file bytes of the model.
std::string WriteNetwork(const NetworkModel& model);

// Reads a network from the bytes of a file, or from the file at path, into model; false, with
// model as it was, and the reason as sentences in reason. An empty file holds no network.
bool ReadNetwork(std::string_view bytes, NetworkModel& model, std::string& reason);
bool ReadNetworkFile(const std::string& path, NetworkModel& model, std::string& reason);
