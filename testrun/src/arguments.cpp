#include "testrun/arguments.h"

#include <string>

#include "numbers/integer_conversion.h"
#include "numbers/leading_number.h"

namespace testrun {

std::optional<Arguments> readArguments(const ArgumentFields& fields, const ui::Window& form) {
    Arguments arguments{};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::optional<double> value = numbers::readLeadingNumber(fields[i].box.Text());
        const std::optional<std::int16_t> argument =
            value ? numbers::toInt16(*value) : std::nullopt;
        if (!argument) {
            form.MsgBox(fields[i].label.Caption() +
                        " must be a whole number from -32768 to 32767.");
            return std::nullopt;
        }
        arguments[i] = *argument;
    }
    return arguments;
}

}  // namespace testrun
