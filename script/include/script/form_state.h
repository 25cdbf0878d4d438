#pragma once

#include <map>
#include <string>

#include "ui/window.h"

namespace script {

// Everything a person can see of a window, by control name: each text, caption and check value,
// each picture's size, background colour and pixels, and the window's caption. Two forms whose
// states are equal look and answer alike.
using FormState = std::map<std::string, std::string>;

FormState captureState(const ui::Window& window);

// The name of the first control whose state differs, or empty when the states are equal.
std::string firstDifference(const FormState& a, const FormState& b);

}  // namespace script
