#pragma once

#include <cstdint>
#include <functional>

// The one process-wide random source of the engine: uniformly distributed integers 0..32767,
// consumed in call order by the training pass, Randomize and StochasticDivide.

// Largest value RandomDraw returns.
inline constexpr int32_t RandomDrawMax = 32767;

// Returns the next value of the shared sequence, 0..RandomDrawMax.
int32_t RandomDraw();

// Restarts the generator at a fixed point, for reproducible runs.
void SeedRandomDraw(uint64_t seed);

// Seeds the generator from the clock; called once by whoever starts a program.
void SeedRandomDrawFromClock();

// Replaces the generator by a scripted sequence (tests); an empty function restores the generator.
// The script must return values in 0..RandomDrawMax.
void SetRandomDrawScript(std::function<int32_t()> script);
