#pragma once

#include <cstdint>

#include "engine/learning_constants.h"

// The constants of precise rounding that the vector kernels share with the portable code.

// The one level whose width (40268) exceeds a draw's range, and that width.
inline constexpr uint32_t PreciseWideLevel = 254;
inline constexpr uint32_t PreciseWideWidth = 40268;
