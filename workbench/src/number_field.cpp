#include "workbench/number_field.h"

#include <algorithm>

#include "numbers/leading_number.h"

namespace workbench {

std::optional<double> readNumberField(const NumberField& field, const ui::Window& form) {
    const std::optional<double> value = numbers::readLeadingNumber(field.box.Text());
    if (!value) form.MsgBox(field.name + " holds a number too large.");
    return value;
}

std::optional<std::array<double, 3>> readColourTriple(const ColourTriple& triple,
                                                      const ui::Window& form) {
    std::array<double, 3> components{};
    for (std::size_t i = 0; i < triple.size(); ++i) {
        const std::optional<double> value = readNumberField(triple[i], form);
        if (!value) return std::nullopt;
        components[i] = *value;
    }
    return components;
}

bool componentsInRange(const std::array<double, 3>& components) {
    return std::all_of(components.begin(), components.end(),
                       [](double component) { return component >= 0 && component <= 255; });
}

}  // namespace workbench
