#pragma once

#include <string_view>

#include "ui/controls.h"
#include "ui/picture.h"
#include "ui/window.h"
#include "workbench/number_field.h"

namespace workbench {

inline constexpr const char* kSourceBackgroundMessage =
    "Error in RGB's for setting Source Background";
inline constexpr const char* kDestinationBackgroundMessage =
    "Error in RGB's for setting Destination Background";

// A double-click on a colour field: 255 becomes "0", 0 becomes "255", any other number stays.
void toggleColourField(ui::TextBox& field, const std::string& name, const ui::Window& form);

// Checks the triple and fills the small picture and then its magnified view with the colour:
// each is cleared, takes the colour as its background and is refreshed. A component outside 0 to
// 255 shows `badInputMessage` and changes nothing.
void setBackground(const ColourTriple& triple, ui::Picture& pic, ui::Picture& bigPic,
                   std::string_view badInputMessage, const ui::Window& form);

}  // namespace workbench
