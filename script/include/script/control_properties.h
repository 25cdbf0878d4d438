#pragma once

#include <string>
#include <string_view>

#include "ui/control.h"
#include "ui/window.h"

namespace script {

// The value of one printable property, already written as the script prints it, or why it has
// none. Strings come back unescaped; numbers in plain decimal.
struct PropertyValue {
    bool found = false;
    bool text = false;  // a string value that needs escaping on output
    std::string value;
    std::string error;
};

PropertyValue controlProperty(const ui::Control& control, std::string_view property);
PropertyValue windowProperty(const ui::Window& window, std::string_view property);

// The kind of a control in words, for messages: "a label", "a text box", ...
std::string describeKind(ui::ControlKind kind);

}  // namespace script
