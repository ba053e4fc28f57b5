#pragma once

#include <optional>

struct StartupRequest;

// The part of start-up that needs no window system, run before the application object exists:
// --help and --version are answered on standard output, a refused command line is reported on
// standard error when there is no display to show its box, and printing without a display runs
// on the offscreen platform. The exit status when the program is done.
std::optional<int> StartWithoutDisplay(int argc, char* argv[]);

// Prints the usage or the version for a Help or Version request; the exit status.
int PrintInformation(const StartupRequest& request);
