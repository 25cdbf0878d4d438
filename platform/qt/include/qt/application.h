#pragma once

namespace qt {

// Gives the application the look the window is laid out for, whatever the desktop's theme.
void setUpApplication();

}  // namespace qt
