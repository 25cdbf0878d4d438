#pragma once

#include <string>

#include "geometry/call_geometry.h"

namespace geometry {

// One plain sentence, in ASCII, that says what the call did and why: the result and the rule
// behind it, which source rows were drawn to which destination rows, and what kept the rest of
// the rectangle from being drawn. Arguments carry the bench's names (Start for StartScan, #Lines
// for cLines). Scan lines count from 0 at the source's bottom row; rows and columns of the
// pictures count from 0 at the top left, as the magnified views show them.
std::string explainCall(const Call& call);

}  // namespace geometry
