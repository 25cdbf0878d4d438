#include "processor.h"

namespace gdi {

bool hasAvx2() {
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return avx2;
}

}  // namespace gdi
