#pragma once

#include <string>

#include "geometry/call_geometry.h"

namespace geometry {

// One plain sentence, in ASCII, that says what the call did and why: the result and the rule
// behind it (a run-length encoded source by its own rules), which source rows were drawn to which
// destination rows, and every cause that kept part of the rectangle from being drawn. Arguments
// carry the bench's names (Start for StartScan, #Lines for cLines). Rows are numbered as the
// window labels them beside the pictures (and the destination listing numbers its lines): from 1
// in memory order, so 1 is the bottom row of a bottom-up picture and the top row of a top-down
// one (the source's and the surface's row order decide). Where a clause speaks in the arguments'
// own numbers it says so: scan lines count from 0 at the source's bottom row, device rows from 0 at
// the surface's top (as YDest); columns count from 0 at the left.
std::string explainCall(const Call& call);

}  // namespace geometry
