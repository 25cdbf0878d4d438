#pragma once

#include "probe_case.h"

#include <cstdint>
#include <string>
#include <vector>

namespace probe {

struct ProbeOutcome {
    // Empty when the call ran; otherwise why it could not be set up.
    std::string error;
    int result = 0;
    // The destination's pixel values after the call, top row first, left to right: indexes for
    // 1, 4 and 8 bpp, 16-, 24- or 32-bit values otherwise.
    std::vector<std::uint32_t> destination;
};

// Performs the case's SetDIBitsToDevice call on a destination DIB section of the case's format,
// every pixel set to its fill value first.
ProbeOutcome evaluateCase(const ProbeCase& probeCase);

}  // namespace probe
