#include "script/form_state.h"

#include <vector>

#include "ui/controls.h"
#include "ui/picture.h"

namespace script {

namespace {

// Size and background colour as text, then the pixels' bytes as they are.
std::string pictureState(const ui::Picture& picture) {
    const std::vector<std::uint32_t> pixels = ui::imagePixels(picture);
    return std::to_string(picture.Width) + "x" + std::to_string(picture.Height) + " back " +
           std::to_string(picture.BackColor()) + ":" +
           std::string(reinterpret_cast<const char*>(pixels.data()), pixels.size() * 4);
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

}  // namespace script
