#pragma once

#include <cstdint>

// How learning rounds its stochastic divisions.
//  Classic: every division compares its remainder with one draw (0..32767) reduced modulo the
//    divisor. Above 32768 the draw never reaches the divisor, so a remainder of 32768 or more
//    always rounds up: a weight step (divisor 163837500) is then a fixed-size sign step.
//  Precise: a division whose divisor exceeds 32768 compares its remainder with a value uniform
//    on 0..divisor - 1 made from two draws (UniformBelow), so that every division rounds up with
//    chance remainder / divisor and the expected quotient is exact. Smaller divisors keep the
//    classic rule.
enum class Rounding : uint8_t { Classic = 0, Precise = 1 };
