#include "ui/frame.h"

#include <utility>

namespace ui {

Menu& Frame::menuOf(std::string_view caption) {
    for (Menu& menu : m_menus) {
        if (menu.caption == caption) return menu;
    }
    m_menus.push_back({std::string(caption), {}});
    return m_menus.back();
}

MenuItem& Frame::addMenuItem(std::string_view menu, std::string caption, std::string shortcut,
                             MenuItemKind kind) {
    auto& items = menuOf(menu).items;
    items.push_back(std::make_unique<MenuItem>(std::move(caption), std::move(shortcut), kind));
    return *items.back();
}

void Frame::addSeparator(std::string_view menu) {
    menuOf(menu).items.push_back(nullptr);
}

MenuItem* Frame::findMenuItem(std::string_view caption) const {
    for (const Menu& menu : m_menus) {
        for (const auto& item : menu.items) {
            if (item && item->caption() == caption) return item.get();
        }
    }
    return nullptr;
}

void Frame::setForm(Window& form) {
    m_form = &form;
    if (onFormChanged) onFormChanged();
}

void Frame::setStatusText(std::string text) {
    if (text == m_statusText) return;
    m_statusText = std::move(text);
    if (onStatusChanged) onStatusChanged();
}

}  // namespace ui
