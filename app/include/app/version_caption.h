#pragma once

#include <string>
#include <string_view>

namespace app {

// The window caption after load: the design caption, " Ver. " and major.minor.revision, each part
// in plain decimal with at least one digit.
std::string versionCaption(std::string_view designCaption, int major, int minor, int revision);

}  // namespace app
