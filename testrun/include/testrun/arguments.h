#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "geometry/call_geometry.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace testrun {

// An argument field with the label that captions it; messages name the field by that caption.
struct ArgumentField {
    const ui::TextBox& box;
    const ui::Label& label;
};

// XDest, YDest, Width, Height, XSrc, YSrc, Start, #Lines in the order of the call.
using ArgumentFields = std::array<ArgumentField, 8>;
using Arguments = std::array<std::int16_t, 8>;

// The field's leading number rounded halves to even, if it is a 16-bit integer.
std::optional<std::int16_t> readArgument(const ui::TextBox& box);

// Reads each field's leading number rounded halves to even. The first field whose number is not
// a 16-bit integer once rounded (or lies beyond a double's range) is reported through `form` as
// "<caption> must be a whole number from -32768 to 32767." and no arguments are given.
std::optional<Arguments> readArguments(const ArgumentFields& fields, const ui::Window& form);

// The arguments as SetDIBitsToDevice receives them: each 16-bit value sign-extended to 32 bits,
// Width, Height, Start and #Lines then read as unsigned.
geometry::CallArguments callArguments(const Arguments& arguments);

}  // namespace testrun
