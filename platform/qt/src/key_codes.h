#pragma once

#include <string>

class QKeyEvent;

namespace qt {

// The character codes that a key press types, as a keyboard delivers them to the key preview:
// Enter 13, Backspace 8, Ctrl+letter 1..26 (Ctrl+C is 3, Ctrl+V 22). Empty for keys that type no
// character: Tab and Shift+Tab navigation, arrows, Delete, Home, End, modifiers, Alt combinations.
std::u16string typedCharacters(const QKeyEvent& event);

}  // namespace qt
