#pragma once

// The name the tool goes by in its messages and help.
inline constexpr const char* ProgramName = "corvina-cli";
