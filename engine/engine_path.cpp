#include "engine/engine_path.h"

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

EnginePath FastestEnginePath()
{
    static const EnginePath fastest = [] {
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
