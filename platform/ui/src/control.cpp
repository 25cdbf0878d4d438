#include "ui/control.h"

#include <utility>

namespace ui {

Control::Control(ControlKind kind, std::string name, int index)
    : m_kind(kind), m_name(std::move(name)), m_index(index) {}

std::string Control::qualifiedName() const {
    if (m_index < 0) return m_name;
    return m_name + "(" + std::to_string(m_index) + ")";
}

bool Control::canFocus() const {
    return m_kind != ControlKind::Label && m_kind != ControlKind::Line;
}

void Control::keyPress(std::int16_t) {}

void Control::changed() const {
    if (onChanged) onChanged();
}

}  // namespace ui
