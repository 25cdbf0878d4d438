#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/menu.h"
#include "ui/picture.h"
#include "ui/window.h"

namespace ui {

// What a front end offers besides showing the controls: the clipboard, pictures written as
// files, and closing the frame. Pictures are taken as shown, marks of their overlay included.
class Desktop {
public:
    virtual ~Desktop() = default;
    virtual void copyText(std::string_view text) = 0;
    virtual void copyPicture(const Picture& picture) = 0;
    // Writes the picture as a PNG file; false when the file cannot be written.
    virtual bool savePicture(const Picture& picture, const std::string& path) = 0;
    virtual void closeFrame() = 0;
};

// A modal file dialog: the person picks a file to open or a name to save under, or cancels.
struct FileChoice {
    enum class Purpose { Open, Save };
    Purpose purpose = Purpose::Open;
    std::string title;
    std::string filter;  // e.g. "DIB Lab experiments (*.dls)"
    std::string suffix;  // added to a saved name typed without one, e.g. "dls"
    std::string suggested;
};

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    virtual std::optional<std::string> chooseFile(const FileChoice& choice) = 0;
};

// The main window around a form, outside its client area: a menu bar above it and a status line
// below it. The form shown may be replaced by another; a front end then shows the new one.
class Frame {
public:
    // The menu bar, left to right. Items are added to the menu of that path, each part made the
    // first time it is named: "&File" is a menu of the bar, "&File > Open &Recent" a submenu of
    // it. An empty caption adds a separator line.
    const std::vector<std::unique_ptr<Menu>>& menus() const { return m_menus; }
    MenuItem& addMenuItem(std::string_view menu, std::string caption, std::string shortcut,
                          MenuItemKind kind);
    void addSeparator(std::string_view menu);
    // The item of that caption in any menu or submenu, or null.
    MenuItem* findMenuItem(std::string_view caption) const;
    // The menu of that path, made the first time it is named.
    Menu& menuOf(std::string_view path);

    Window* form() const { return m_form; }
    void setForm(Window& form);

    const std::string& statusText() const { return m_statusText; }
    void setStatusText(std::string text);

    // Installed by the front end that shows the frame; none without one.
    Desktop* desktop() const { return m_desktop; }
    void setDesktop(Desktop* desktop) { m_desktop = desktop; }

    std::function<void()> onFormChanged;
    std::function<void()> onStatusChanged;

private:
    std::vector<std::unique_ptr<Menu>> m_menus;
    Window* m_form = nullptr;
    std::string m_statusText;
    Desktop* m_desktop = nullptr;
};

}  // namespace ui
