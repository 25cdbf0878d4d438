#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

enum class MenuItemKind { Command, Check };

// One item of a menu. Captions mark their access key with '&'; the shortcut is written as
// "Ctrl+O" or "F1" and may be empty. A check item carries a checked state that a trigger toggles.
class MenuItem {
public:
    MenuItem(std::string caption, std::string shortcut = {},
             MenuItemKind kind = MenuItemKind::Command);
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    const std::string& caption() const { return m_caption; }
    const std::string& shortcut() const { return m_shortcut; }
    MenuItemKind kind() const { return m_kind; }
    bool checked() const { return m_checked; }
    void setChecked(bool checked);
    // Chosen from the menu or by its shortcut: a check item toggles, then onTriggered runs.
    void trigger();

    std::function<void()> onTriggered;
    // Fired when the checked state changes, for a front end that shows it.
    std::function<void()> onChanged;

private:
    std::string m_caption;
    std::string m_shortcut;
    MenuItemKind m_kind;
    bool m_checked = false;
};

// A menu of the menu bar and the items it owns; a null item stands for a separator line.
struct Menu {
    std::string caption;
    std::vector<std::unique_ptr<MenuItem>> items;
};

}  // namespace ui
