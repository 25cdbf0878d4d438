#include "key_codes.h"

#include <QKeyEvent>

#include "ui/controls.h"

namespace qt {

std::u16string typedCharacters(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers.testFlag(Qt::AltModifier)) return {};
    switch (key) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete:
            return {};
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return {static_cast<char16_t>(ui::kEnter)};
        case Qt::Key_Backspace:
            return {static_cast<char16_t>(ui::kBackspace)};
        default:
            break;
    }
    if (modifiers.testFlag(Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z) {
        return {static_cast<char16_t>(key - Qt::Key_A + 1)};
    }
    return event.text().toStdU16String();
}

}  // namespace qt
