#pragma once

namespace gdi {

// Whether this processor runs AVX2 code: loops compiled for it are chosen at run time.
bool hasAvx2();

}  // namespace gdi
