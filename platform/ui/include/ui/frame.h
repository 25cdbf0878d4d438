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

// One part of the status area: its name, what it says and, where that is not all, the whole of
// it as its tool tip.
struct StatusPart {
    std::string name;
    std::string text;
    std::string detail;
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

    // The status area below the form: named parts one under the other in the order they were
    // added, each as many lines as its text needs (none while it is empty), in a room of
    // statusLines() lines that the front end keeps whatever the parts say, so that the window
    // keeps its size. A part's detail is shown as its tool tip, its text when there is none.
    void addStatusPart(std::string name);
    const std::vector<StatusPart>& statusParts() const { return m_statusParts; }
    // The part of that name, which must have been added.
    const StatusPart& status(std::string_view name) const;
    void setStatus(std::string_view name, std::string text, std::string detail = {});
    int statusLines() const { return m_statusLines; }
    void setStatusLines(int lines) { m_statusLines = lines; }

    // Installed by the front end that shows the frame; none without one.
    Desktop* desktop() const { return m_desktop; }
    void setDesktop(Desktop* desktop) { m_desktop = desktop; }

    std::function<void()> onFormChanged;
    std::function<void(const StatusPart&)> onStatusChanged;
    // Asked before the frame closes, however the person closes it; it stays open on false.
    std::function<bool()> mayClose;
    // A file the person dropped onto the frame.
    std::function<void(const std::string& path)> onFileDropped;

private:
    StatusPart& statusPart(std::string_view name);

    std::vector<std::unique_ptr<Menu>> m_menus;
    Window* m_form = nullptr;
    std::vector<StatusPart> m_statusParts;
    int m_statusLines = 1;
    Desktop* m_desktop = nullptr;
};

}  // namespace ui
