#include "step_names.h"

#include "ui/controls.h"

namespace shell {
namespace {

// "Set  Background" reads "Set Background".
std::string singleSpaced(const std::string& caption) {
    std::string text;
    for (char c : caption) {
        if (c == '&' || (c == ' ' && (text.empty() || text.back() == ' '))) continue;
        text.push_back(c);
    }
    return text;
}

}  // namespace

std::string stepName(const ui::Control& control) {
    if (control.qualifiedName() == "cmdTest") return "Run Call";
    if (const auto* button = dynamic_cast<const ui::CommandButton*>(&control)) {
        return singleSpaced(button->Caption());
    }
    if (const auto* box = dynamic_cast<const ui::CheckBox*>(&control)) {
        return singleSpaced(box->Caption());
    }
    return control.qualifiedName() == "Text3" ? "Clear Report" : "Toggle Colour Value";
}

}  // namespace shell
