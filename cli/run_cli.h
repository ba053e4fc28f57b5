#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Runs corvina-cli on its arguments (without the program name): results go to out, messages
// to err, and a progress bar too when showProgress is set. Returns the exit status.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool showProgress = false);
