#include "ui/frame.h"

#include <stdexcept>
#include <utility>

namespace ui {
namespace {

constexpr std::string_view kSubmenuSeparator = " > ";

// The part of that name in a frame's parts, const or not.
template <typename Parts>
auto& partNamed(Parts& parts, std::string_view name) {
    for (auto& part : parts) {
        if (part.name == name) return part;
    }
    throw std::invalid_argument("no status part " + std::string(name));
}

}  // namespace

Menu& Frame::menuOf(std::string_view path) {
    const std::size_t cut = path.find(kSubmenuSeparator);
    const std::string_view top = path.substr(0, cut);
    Menu* menu = nullptr;
    for (const auto& candidate : m_menus) {
        if (candidate->caption() == top) menu = candidate.get();
    }
    if (menu == nullptr)
        menu = m_menus.emplace_back(std::make_unique<Menu>(std::string(top))).get();
    for (std::size_t at = cut; at != std::string_view::npos;) {
        const std::size_t begin = at + kSubmenuSeparator.size();
        at = path.find(kSubmenuSeparator, begin);
        menu = &menu->submenu(path.substr(begin, at - begin));
    }
    return *menu;
}

MenuItem& Frame::addMenuItem(std::string_view menu, std::string caption, std::string shortcut,
                             MenuItemKind kind) {
    return menuOf(menu).addItem(std::move(caption), std::move(shortcut), kind);
}

void Frame::addSeparator(std::string_view menu) {
    menuOf(menu).addSeparator();
}

MenuItem* Frame::findMenuItem(std::string_view caption) const {
    for (const auto& menu : m_menus) {
        if (MenuItem* found = menu->find(caption)) return found;
    }
    return nullptr;
}

void Frame::setForm(Window& form) {
    m_form = &form;
    if (onFormChanged) onFormChanged();
}

void Frame::addStatusPart(std::string name) {
    m_statusParts.push_back({std::move(name), {}, {}});
}

StatusPart& Frame::statusPart(std::string_view name) {
    return partNamed(m_statusParts, name);
}

const StatusPart& Frame::status(std::string_view name) const {
    return partNamed(m_statusParts, name);
}

void Frame::setStatus(std::string_view name, std::string text, std::string detail) {
    StatusPart& part = statusPart(name);
    if (text == part.text && detail == part.detail) return;
    part.text = std::move(text);
    part.detail = std::move(detail);
    if (onStatusChanged) onStatusChanged(part);
}

}  // namespace ui
