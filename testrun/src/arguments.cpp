#include "testrun/arguments.h"

#include <string>

#include "numbers/integer_conversion.h"
#include "numbers/leading_number.h"

namespace testrun {
namespace {

std::uint32_t asUnsigned(std::int16_t argument) {
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(argument));
}

}  // namespace

std::optional<std::int16_t> readArgument(const ui::TextBox& box) {
    const std::optional<double> value = numbers::readLeadingNumber(box.Text());
    return value ? numbers::toInt16(*value) : std::nullopt;
}

std::optional<Arguments> readArguments(const ArgumentFields& fields, const ui::Window& form) {
    Arguments arguments{};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::optional<std::int16_t> argument = readArgument(fields[i].box);
        if (!argument) {
            form.MsgBox(fields[i].label.Caption() +
                        " must be a whole number from -32768 to 32767.");
            return std::nullopt;
        }
        arguments[i] = *argument;
    }
    return arguments;
}

geometry::CallArguments callArguments(const Arguments& a) {
    return {a[0], a[1], asUnsigned(a[2]), asUnsigned(a[3]),
            a[4], a[5], asUnsigned(a[6]), asUnsigned(a[7])};
}

}  // namespace testrun
