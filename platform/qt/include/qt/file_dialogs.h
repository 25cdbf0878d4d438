#pragma once

#include "ui/frame.h"

class QWidget;

namespace qt {

// The desktop's own file dialogs, modal over the parent.
class FileDialogs : public ui::FileDialogService {
public:
    explicit FileDialogs(QWidget* parent) : m_parent(parent) {}
    std::optional<std::string> chooseFile(const ui::FileChoice& choice) override;
    // The window the dialogs are modal over, once there is one.
    void setParent(QWidget* parent) { m_parent = parent; }

private:
    QWidget* m_parent;
};

}  // namespace qt
