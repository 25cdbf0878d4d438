#pragma once

#include <string>

#include "geometry/call_geometry.h"

namespace geometry {

// The account of a call with a run-length encoded source, by the rule that gave its result.
std::string explainRleCall(const Call& call, const RleGeometry& geometry);

}  // namespace geometry
