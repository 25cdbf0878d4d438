#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "geometry/call_geometry.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace testrun {

// The eight arguments of SetDIBitsToDevice, by the names the form's labels give them.
enum class Argument { XDest, YDest, Width, Height, XSrc, YSrc, Start, Lines };

// An argument field, the label that captions it, and the argument it gives; messages name the
// field by that caption.
struct ArgumentField {
    Argument argument;
    const ui::TextBox& box;
    const ui::Label& label;
};

using ArgumentFields = std::array<ArgumentField, 8>;

// The field's leading number rounded halves to even, if it is a 16-bit integer.
std::optional<std::int16_t> readArgument(const ui::TextBox& box);

// Reads each field's leading number rounded halves to even into the argument it gives, as the
// call receives it: the 16-bit value sign-extended to 32 bits, Width, Height, Start and #Lines
// then read as unsigned. The first field whose number is not a 16-bit integer once rounded (or
// lies beyond a double's range) gives no arguments; with a form it is reported through it as
// "<caption> must be a whole number from -32768 to 32767."
std::optional<geometry::CallArguments> readArguments(const ArgumentFields& fields,
                                                     const ui::Window* form);

}  // namespace testrun
