#include "workbench/colour_fields.h"

#include <optional>

#include "numbers/integer_conversion.h"

namespace workbench {
namespace {

// The colour reference keeps red in the low byte: the reverse of a pixel value's order.
COLORREF colourReference(const std::array<double, 3>& components) {
    const auto component = [&](std::size_t i) {
        return static_cast<COLORREF>(numbers::toInt32(components[i]).value_or(0));
    };
    return component(0) + 256 * component(1) + 65536 * component(2);
}

void fillPicture(ui::Picture& picture, COLORREF colour) {
    picture.Cls();
    picture.setBackColor(colour);
    picture.Refresh();
}

}  // namespace

void toggleColourField(ui::TextBox& field, const std::string& name, const ui::Window& form) {
    const std::optional<double> value = readNumberField({field, name}, form);
    if (!value) return;
    if (*value == 255) {
        field.setText("0");
    } else if (*value == 0) {
        field.setText("255");
    }
}

void setBackground(const ColourTriple& triple, ui::Picture& pic, ui::Picture& bigPic,
                   std::string_view badInputMessage, const ui::Window& form) {
    const auto components = readColourTriple(triple, form);
    if (!components) return;
    if (!componentsInRange(*components)) {
        form.MsgBox(badInputMessage);
        return;
    }
    const COLORREF colour = colourReference(*components);
    fillPicture(pic, colour);
    fillPicture(bigPic, colour);
}

}  // namespace workbench
