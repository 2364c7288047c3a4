#include "imaging/vector_code.h"

namespace lumivane {

VectorLevel vector_level() {
    static const VectorLevel level = [] {
#ifdef LUMIVANE_X86
        __builtin_cpu_init();
        if (__builtin_cpu_supports("avx2")) return VectorLevel::Avx2;
        if (__builtin_cpu_supports("ssse3")) return VectorLevel::Ssse3;
#endif
        return VectorLevel::Plain;
    }();
    return level;
}

}  // namespace lumivane
