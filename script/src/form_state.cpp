#include "script/form_state.h"

#include <cstdio>

#include "ui/controls.h"
#include "ui/picture.h"

namespace {

std::string pictureState(const ui::Picture& picture) {
    std::string text = std::to_string(picture.Width) + "x" + std::to_string(picture.Height) +
                       " back " + std::to_string(picture.BackColor()) + ":";
    for (const std::uint32_t pixel : ui::imagePixels(picture)) {
        char digits[10];
        std::snprintf(digits, sizeof digits, " %08x", pixel);
        text += digits;
    }
    return text;
}

std::string controlState(const ui::Control& control) {
    switch (control.kind()) {
        case ui::ControlKind::TextBox:
            return static_cast<const ui::TextBox&>(control).Text();
        case ui::ControlKind::Label:
            return static_cast<const ui::Label&>(control).Caption();
        case ui::ControlKind::CheckBox: {
            const auto& box = static_cast<const ui::CheckBox&>(control);
            return box.Caption() + " = " + std::to_string(box.Value());
        }
        case ui::ControlKind::CommandButton:
            return static_cast<const ui::CommandButton&>(control).Caption();
        case ui::ControlKind::Picture:
            return pictureState(static_cast<const ui::Picture&>(control));
        case ui::ControlKind::Line:
            break;
    }
    return {};
}

}  // namespace

FormState captureState(const ui::Window& window) {
    FormState state;
    state[window.name()] = window.Caption();
    for (const ui::Control* control : window.controls()) {
        state[control->qualifiedName()] = controlState(*control);
    }
    return state;
}

std::string firstDifference(const FormState& a, const FormState& b) {
    for (const auto& [name, value] : a) {
        const auto other = b.find(name);
        if (other == b.end() || other->second != value) return name;
    }
    for (const auto& [name, value] : b) {
        if (!a.contains(name)) return name;
    }
    return {};
}
