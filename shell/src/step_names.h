#pragma once

#include <string>

#include "ui/control.h"

namespace shell {

// What a person's click or double-click on a control of the form does, as the Edit menu names
// the step: a button by its caption ("Set Background"), the test button as "Run Call", a check
// box by its caption, the report box's double-click as "Clear Report", a colour field's as
// "Toggle Colour Value".
std::string stepName(const ui::Control& control);

}  // namespace shell
