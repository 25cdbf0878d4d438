#include "ui/menu.h"

#include <utility>

namespace ui {

MenuItem::MenuItem(std::string caption, std::string shortcut, MenuItemKind kind)
    : m_caption(std::move(caption)), m_shortcut(std::move(shortcut)), m_kind(kind) {}

void MenuItem::setChecked(bool checked) {
    if (checked == m_checked) return;
    m_checked = checked;
    if (onChanged) onChanged();
}

void MenuItem::trigger() {
    if (m_kind == MenuItemKind::Check) setChecked(!m_checked);
    if (onTriggered) onTriggered();
}

}  // namespace ui
