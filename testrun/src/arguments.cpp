#include "testrun/arguments.h"

#include <string>

#include "numbers/integer_conversion.h"
#include "numbers/leading_number.h"

namespace testrun {
namespace {

std::uint32_t asUnsigned(std::int16_t value) {
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
}

void store(geometry::CallArguments& call, Argument argument, std::int16_t value) {
    switch (argument) {
        case Argument::XDest:
            call.xDest = value;
            return;
        case Argument::YDest:
            call.yDest = value;
            return;
        case Argument::Width:
            call.width = asUnsigned(value);
            return;
        case Argument::Height:
            call.height = asUnsigned(value);
            return;
        case Argument::XSrc:
            call.xSrc = value;
            return;
        case Argument::YSrc:
            call.ySrc = value;
            return;
        case Argument::Start:
            call.startScan = asUnsigned(value);
            return;
        case Argument::Lines:
            call.cLines = asUnsigned(value);
            return;
    }
}

}  // namespace

std::optional<std::int16_t> readArgument(const ui::TextBox& box) {
    const std::optional<double> value = numbers::readLeadingNumber(box.Text());
    return value ? numbers::toInt16(*value) : std::nullopt;
}

std::optional<geometry::CallArguments> readArguments(const ArgumentFields& fields,
                                                     const ui::Window* form) {
    geometry::CallArguments call;
    for (const ArgumentField& field : fields) {
        const std::optional<std::int16_t> value = readArgument(field.box);
        if (!value) {
            if (form != nullptr) {
                form->MsgBox(field.label.Caption() +
                             " must be a whole number from -32768 to 32767.");
            }
            return std::nullopt;
        }
        store(call, field.argument, *value);
    }
    return call;
}

}  // namespace testrun
