#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// Command: runs when chosen. Check: toggles its check mark. Radio: becomes the one checked radio
// item of its menu. Submenu: opens the menu it owns and runs nothing itself.
enum class MenuItemKind { Command, Check, Radio, Submenu };

class Menu;

// One item of a menu. Captions mark their access key with '&'; the shortcut is written as
// "Ctrl+O" or "F1", alternatives separated by "; " ("Ctrl+Shift+Z; Ctrl+Y"), and may be empty.
// Caption, enabled and visible state and the check mark may change at any time; onChanged tells
// the front end that shows the item.
class MenuItem {
public:
    MenuItem(Menu& owner, std::string caption, std::string shortcut, MenuItemKind kind);
    ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption);
    const std::string& shortcut() const { return m_shortcut; }
    MenuItemKind kind() const { return m_kind; }
    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    bool visible() const { return m_visible; }
    void setVisible(bool visible);
    bool checked() const { return m_checked; }
    // Checking a radio item unchecks the other radio items of its menu.
    void setChecked(bool checked);
    // The menu a submenu item opens; null for every other kind.
    Menu* submenu() const { return m_submenu.get(); }

    // Chosen from the menu or by its shortcut. A disabled or hidden item does nothing; a check
    // item toggles and a radio item is checked, then onTriggered runs.
    void trigger();

    std::function<void()> onTriggered;
    // Fired when the caption, the enabled or visible state or the check mark changes.
    std::function<void()> onChanged;

private:
    void changed() const;

    Menu& m_owner;
    std::string m_caption;
    std::string m_shortcut;
    MenuItemKind m_kind;
    bool m_enabled = true;
    bool m_visible = true;
    bool m_checked = false;
    std::unique_ptr<Menu> m_submenu;
};

// A menu of the menu bar or a submenu, and the items it owns in their order; a null item stands
// for a separator line. A menu stays where it was made, so that its items can reach it.
class Menu {
public:
    explicit Menu(std::string caption);
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    const std::string& caption() const { return m_caption; }
    const std::vector<std::unique_ptr<MenuItem>>& items() const { return m_items; }
    MenuItem& addItem(std::string caption, std::string shortcut = {},
                      MenuItemKind kind = MenuItemKind::Command);
    void addSeparator();
    // The item of that caption in this menu or any of its submenus, or null.
    MenuItem* find(std::string_view caption) const;
    // The submenu item of that caption in this menu, made the first time it is named.
    Menu& submenu(std::string_view caption);

private:
    std::string m_caption;
    std::vector<std::unique_ptr<MenuItem>> m_items;
};

}  // namespace ui
