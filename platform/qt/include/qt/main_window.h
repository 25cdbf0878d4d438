#pragma once

#include <QMainWindow>
#include <memory>
#include <string>
#include <vector>

#include "ui/frame.h"

class QAction;
class QLabel;
class QMenu;

namespace qt {

class WindowView;

// The frame of a form as a main window: the frame's menus as a menu bar, its status text in a
// status bar, and the form's window view between them at its full client size. When the frame
// gets another form the view is replaced. It is the frame's desktop: clipboard, picture files
// and closing.
class MainWindow : public QMainWindow, public ui::Desktop {
public:
    explicit MainWindow(ui::Frame& frame, QWidget* parent = nullptr);
    ~MainWindow() override;

    WindowView& view() const { return *m_view; }
    // The action of a menu item, for a front end test.
    QAction* actionFor(const ui::MenuItem& item) const;
    QLabel& statusLabel() const { return *m_status; }

    void copyText(std::string_view text) override;
    void copyPicture(const ui::Picture& picture) override;
    bool savePicture(const ui::Picture& picture, const std::string& path) override;
    void closeFrame() override;

private:
    void buildMenus();
    void fillMenu(QMenu& shown, const ui::Menu& menu);
    void showForm();
    void syncStatus();
    QImage shownImage(const ui::Picture& picture) const;

    ui::Frame& m_frame;
    WindowView* m_view = nullptr;
    QLabel* m_status = nullptr;
    std::vector<std::pair<ui::MenuItem*, QAction*>> m_actions;
};

}  // namespace qt
