#include "ui/menu.h"

#include <utility>

namespace ui {

MenuItem::MenuItem(Menu& owner, std::string caption, std::string shortcut, MenuItemKind kind)
    : m_owner(owner), m_caption(std::move(caption)), m_shortcut(std::move(shortcut)), m_kind(kind) {
    if (kind == MenuItemKind::Submenu) m_submenu = std::make_unique<Menu>(m_caption);
}

MenuItem::~MenuItem() = default;

void MenuItem::changed() const {
    if (onChanged) onChanged();
}

void MenuItem::setCaption(std::string caption) {
    if (caption == m_caption) return;
    m_caption = std::move(caption);
    changed();
}

void MenuItem::setEnabled(bool enabled) {
    if (enabled == m_enabled) return;
    m_enabled = enabled;
    changed();
}

void MenuItem::setVisible(bool visible) {
    if (visible == m_visible) return;
    m_visible = visible;
    changed();
}

void MenuItem::setChecked(bool checked) {
    if (checked && m_kind == MenuItemKind::Radio) {
        for (const auto& other : m_owner.items()) {
            if (other && other.get() != this && other->m_kind == MenuItemKind::Radio)
                other->setChecked(false);
        }
    }
    if (checked == m_checked) return;
    m_checked = checked;
    changed();
}

void MenuItem::trigger() {
    if (!m_enabled || !m_visible || m_kind == MenuItemKind::Submenu) return;
    if (m_kind == MenuItemKind::Check) setChecked(!m_checked);
    if (m_kind == MenuItemKind::Radio) setChecked(true);
    if (onTriggered) onTriggered();
}

Menu::Menu(std::string caption) : m_caption(std::move(caption)) {}

MenuItem& Menu::addItem(std::string caption, std::string shortcut, MenuItemKind kind) {
    m_items.push_back(
        std::make_unique<MenuItem>(*this, std::move(caption), std::move(shortcut), kind));
    return *m_items.back();
}

void Menu::addSeparator() {
    m_items.push_back(nullptr);
}

MenuItem* Menu::find(std::string_view caption) const {
    for (const auto& item : m_items) {
        if (!item) continue;
        if (item->caption() == caption) return item.get();
        if (item->submenu() != nullptr) {
            if (MenuItem* found = item->submenu()->find(caption)) return found;
        }
    }
    return nullptr;
}

Menu& Menu::submenu(std::string_view caption) {
    for (const auto& item : m_items) {
        if (item && item->submenu() != nullptr && item->caption() == caption)
            return *item->submenu();
    }
    return *addItem(std::string(caption), {}, MenuItemKind::Submenu).submenu();
}

}  // namespace ui
