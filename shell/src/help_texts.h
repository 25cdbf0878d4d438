#pragma once

#include <string>

namespace shell {

// Help > What the Arguments Mean: the eight arguments, the two orientations and the result.
std::string argumentsHelp();

// Help > About DIB Lab: name and version, one paragraph, the licence.
std::string aboutText();

}  // namespace shell
