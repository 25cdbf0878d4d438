#include "fuzz_check.h"

#include <cstdio>
#include <cstdlib>

namespace fuzzcheck {

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

}  // namespace fuzzcheck
