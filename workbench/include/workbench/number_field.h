#pragma once

#include <array>
#include <optional>
#include <string>

#include "ui/controls.h"
#include "ui/window.h"

namespace workbench {

// A text field together with the name under which messages refer to it ("Source R", "X").
struct NumberField {
    const ui::TextBox& box;
    std::string name;
};

// Red, green and blue fields of one colour triple.
using ColourTriple = std::array<NumberField, 3>;

// The field's leading number. A number too large to hold is reported through `form` as
// "<name> holds a number too large." and gives no value.
std::optional<double> readNumberField(const NumberField& field, const ui::Window& form);

// The triple's three numbers, or none after the first field that holds a number too large.
std::optional<std::array<double, 3>> readColourTriple(const ColourTriple& triple,
                                                      const ui::Window& form);

// Whether every component lies from 0 to 255; fractions above 255 or below 0 do not.
bool componentsInRange(const std::array<double, 3>& components);

}  // namespace workbench
