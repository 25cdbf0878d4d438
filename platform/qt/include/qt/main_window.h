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

class StatusArea;
class WindowView;

// The frame of a form as a main window: the frame's menus as a menu bar, its status parts in a
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
    // The label that shows the frame's status part of that name.
    QLabel& statusLabel(std::string_view part) const;

    void copyText(std::string_view text) override;
    void copyPicture(const ui::Picture& picture) override;
    bool savePicture(const ui::Picture& picture, const std::string& path) override;
    void closeFrame() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void fillMenu(QMenu& shown, const ui::Menu& menu);
    void showForm();
    QImage shownImage(const ui::Picture& picture) const;

    ui::Frame& m_frame;
    WindowView* m_view = nullptr;
    StatusArea* m_status = nullptr;
    std::vector<std::pair<ui::MenuItem*, QAction*>> m_actions;
};

}  // namespace qt
