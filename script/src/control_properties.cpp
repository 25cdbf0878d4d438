#include "script/control_properties.h"

#include <array>
#include <charconv>

#include "dib/quoted_text.h"
#include "ui/controls.h"
#include "ui/picture.h"

namespace script {

namespace {

constexpr std::array<std::string_view, 16> kProperties{
    "Caption",  "Text",     "Value",    "Tag",        "ToolTipText", "Left",
    "Top",      "Width",    "Height",   "ScaleWidth", "ScaleHeight", "BackColor",
    "TabIndex", "FontName", "FontSize", "Alignment"};

bool isKnownProperty(std::string_view property) {
    for (const std::string_view known : kProperties) {
        if (known == property) return true;
    }
    return false;
}

// Shortest decimal that reads back as the same double: 8, 9.6, 7.8.
std::string formatNumber(double value) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

PropertyValue textValue(std::string value) {
    return {true, true, std::move(value), {}};
}
PropertyValue numberValue(long long value) {
    return {true, false, std::to_string(value), {}};
}
PropertyValue numberValue(double value) {
    return {true, false, formatNumber(value), {}};
}

PropertyValue missing(std::string_view owner, std::string_view property) {
    PropertyValue none;
    if (isKnownProperty(property)) {
        none.error = std::string(owner) + " has no property " + std::string(property);
    } else {
        none.error = "unknown property " + dib::quoted(property);
    }
    return none;
}

PropertyValue kindProperty(const ui::Control& control, std::string_view property) {
    if (const auto* box = dynamic_cast<const ui::TextBox*>(&control)) {
        if (property == "Text") return textValue(box->Text());
        if (property == "Alignment") return numberValue(static_cast<long long>(box->alignment));
    } else if (const auto* label = dynamic_cast<const ui::Label*>(&control)) {
        if (property == "Caption") return textValue(label->Caption());
        if (property == "Alignment") return numberValue(static_cast<long long>(label->alignment));
    } else if (const auto* check = dynamic_cast<const ui::CheckBox*>(&control)) {
        if (property == "Caption") return textValue(check->Caption());
        if (property == "Value") return numberValue(static_cast<long long>(check->Value()));
    } else if (const auto* button = dynamic_cast<const ui::CommandButton*>(&control)) {
        if (property == "Caption") return textValue(button->Caption());
    } else if (const auto* picture = dynamic_cast<const ui::Picture*>(&control)) {
        if (property == "ScaleWidth") return numberValue(picture->ScaleWidth());
        if (property == "ScaleHeight") return numberValue(picture->ScaleHeight());
        if (property == "BackColor")
            return numberValue(static_cast<long long>(picture->BackColor()));
    }
    return {};
}

// What every control but a line has: place, tab index, tool tip and font.
PropertyValue commonProperty(const ui::Control& control, std::string_view property) {
    if (property == "Left") return numberValue(static_cast<long long>(control.Left));
    if (property == "Top") return numberValue(static_cast<long long>(control.Top));
    if (property == "Width") return numberValue(static_cast<long long>(control.Width));
    if (property == "Height") return numberValue(static_cast<long long>(control.Height));
    if (property == "TabIndex") return numberValue(static_cast<long long>(control.TabIndex));
    if (property == "ToolTipText") return textValue(control.ToolTipText);
    if (property == "FontName") return textValue(control.font.name);
    if (property == "FontSize") return numberValue(control.font.points);
    return {};
}

}  // namespace

PropertyValue controlProperty(const ui::Control& control, std::string_view property) {
    if (property == "Tag") return textValue(control.Tag);
    if (control.kind() != ui::ControlKind::Line) {
        PropertyValue common = commonProperty(control, property);
        if (common.found) return common;
    }
    PropertyValue own = kindProperty(control, property);
    if (own.found) return own;
    return missing(control.qualifiedName(), property);
}

PropertyValue windowProperty(const ui::Window& window, std::string_view property) {
    if (property == "Caption") return textValue(window.Caption());
    if (property == "ScaleWidth") return numberValue(static_cast<double>(window.clientWidth()));
    if (property == "ScaleHeight") return numberValue(static_cast<double>(window.clientHeight()));
    if (property == "FontName") return textValue(window.font.name);
    if (property == "FontSize") return numberValue(window.font.points);
    return missing(window.name(), property);
}

std::string describeKind(ui::ControlKind kind) {
    switch (kind) {
        case ui::ControlKind::Picture:
            return "a picture";
        case ui::ControlKind::TextBox:
            return "a text box";
        case ui::ControlKind::Label:
            return "a label";
        case ui::ControlKind::CheckBox:
            return "a check box";
        case ui::ControlKind::CommandButton:
            return "a command button";
        case ui::ControlKind::Line:
            return "a line";
    }
    return "a control";
}

}  // namespace script
