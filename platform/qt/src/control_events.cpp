#include "control_events.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "key_codes.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace qt {

ControlEvents::ControlEvents(ui::Window& window, ui::Control& control, QObject* parent)
    : QObject(parent), m_window(window), m_control(control) {}

bool ControlEvents::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::FocusIn:
            if (m_window.ActiveControl() != &m_control) m_window.setFocus(m_control);
            return false;
        case QEvent::KeyPress:
            return previewKeyPress(watched, static_cast<const QKeyEvent&>(*event));
        case QEvent::InputMethod:
            previewCommittedText(static_cast<QInputMethodEvent&>(*event));
            return false;
        case QEvent::MouseButtonDblClick:
            if (m_control.kind() == ui::ControlKind::TextBox &&
                static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton) {
                static_cast<ui::TextBox&>(m_control).dblClick();
            }
            return false;
        default:
            return false;
    }
}

// The characters that pass the key preview, in their order.
std::u16string ControlEvents::preview(const std::u16string& typed) const {
    std::u16string delivered;
    for (const char16_t unit : typed) {
        const std::int16_t code = m_window.previewKeyPress(static_cast<std::int16_t>(unit));
        if (code != 0) delivered.push_back(static_cast<char16_t>(code));
    }
    return delivered;
}

// Returns true when the key preview discarded or replaced what the key typed, so that the widget
// never sees the original key.
bool ControlEvents::previewKeyPress(QObject* watched, const QKeyEvent& event) {
    if (m_delivering) return false;
    const std::u16string typed = typedCharacters(event);
    if (typed.empty()) return false;
    const std::u16string delivered = preview(typed);
    if (delivered == typed) return false;
    if (!delivered.empty()) {
        QKeyEvent replacement(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                              QString::fromStdU16String(delivered));
        m_delivering = true;
        QCoreApplication::sendEvent(watched, &replacement);
        m_delivering = false;
    }
    return true;
}

// With an input method the characters arrive as committed text instead of key presses; they pass
// the key preview all the same.
void ControlEvents::previewCommittedText(QInputMethodEvent& event) const {
    const std::u16string typed = event.commitString().toStdU16String();
    if (typed.empty()) return;
    const std::u16string delivered = preview(typed);
    if (delivered == typed) return;
    event.setCommitString(QString::fromStdU16String(delivered), event.replacementStart(),
                          event.replacementLength());
}

}  // namespace qt
