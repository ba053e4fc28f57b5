#include "engine/engine_path.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

bool IsEnginePathSupported(EnginePath path)
{
    switch (path) {
    case EnginePath::Scalar:
        return true;
#if defined(CORVINA_VECTOR_PATHS)
    case EnginePath::Avx2:
        return __builtin_cpu_supports("avx2") != 0;
    case EnginePath::Avx512:
        return __builtin_cpu_supports("avx512f") != 0 && __builtin_cpu_supports("avx512bw") != 0 &&
               __builtin_cpu_supports("avx512dq") != 0 && __builtin_cpu_supports("avx512vl") != 0 &&
               __builtin_cpu_supports("avx512vbmi") != 0;
#else
    case EnginePath::Avx2:
    case EnginePath::Avx512:
        return false;
#endif
    }
    return false;
}

// The environment variable CORVINA_ENGINE_PATH (scalar, avx2 or avx512) names the path that new
// networks start on, when this processor can run it: for comparing the paths' results and speeds
// from the command line.
EnginePath FastestEnginePath()
{
    static const EnginePath fastest = [] {
        const char* chosen = std::getenv("CORVINA_ENGINE_PATH");
        for (EnginePath path : {EnginePath::Avx512, EnginePath::Avx2, EnginePath::Scalar}) {
            if (chosen != nullptr && std::strcmp(chosen, EnginePathName(path)) == 0 && IsEnginePathSupported(path)) {
                return path;
            }
        }
        for (EnginePath path : {EnginePath::Avx512, EnginePath::Avx2}) {
            if (IsEnginePathSupported(path)) {
                return path;
            }
        }
        return EnginePath::Scalar;
    }();
    return fastest;
}

const char* EnginePathName(EnginePath path)
{
    switch (path) {
    case EnginePath::Scalar:
        return "scalar";
    case EnginePath::Avx2:
        return "avx2";
    case EnginePath::Avx512:
        return "avx512";
    }
    return "scalar";
}
