#pragma once

#include <string>

#include "cli/command_context.h"

class NetworkModel;

// Reads the network file at path into model; a file that cannot be read or holds no network is
// reported, and the result is false.
bool OpenNetwork(const std::string& path, NetworkModel& model, CommandContext& context);

// Saves model at path, replacing any old file whole; a failure is reported, leaves the old file
// as it was, and the result is false.
bool SaveNetwork(const std::string& path, const NetworkModel& model, CommandContext& context);
