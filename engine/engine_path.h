#pragma once

#include <cstdint>

// The ways a network's passes can be computed; every path gives the same results bit for bit.
//  Scalar: one neuron at a time, on every processor.
//  Avx2: 8 neurons of a band side by side, on x86-64 processors with AVX2.
//  Avx512: 16 neurons of a band side by side, on x86-64 processors with AVX-512 (F, BW, DQ, VL
//    and VBMI).
// The vector paths take bands of at least 8 neurons; narrower networks run the scalar path.
enum class EnginePath : uint8_t { Scalar = 0, Avx2 = 1, Avx512 = 2 };

// True when this program and processor can run path.
bool IsEnginePathSupported(EnginePath path);

// The fastest supported path, or the one CORVINA_ENGINE_PATH names; new networks start on it.
EnginePath FastestEnginePath();

// Its name in lower case ("scalar", "avx2", "avx512").
const char* EnginePathName(EnginePath path);
