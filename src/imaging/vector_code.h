#pragma once
// The one way the imaging loops choose vector code. A loop written for wider
// instructions lives in a sibling file named after its module with `_x86` (or in
// byte_lanes.h for the resampler's templates), each function compiled for its
// instructions with __attribute__((target(...))), and is taken only when vector_level()
// says the processor running the program has them. The plain loop stays beside it for
// the ends of rows and for other processors.

#if defined(__x86_64__) || defined(__i386__)
#define LUMIVANE_X86 1
#endif

namespace lumivane {

enum class VectorLevel { Plain, Ssse3, Avx2 };

// What this processor offers, asked once; Plain on processors other than x86.
VectorLevel vector_level();

}  // namespace lumivane
