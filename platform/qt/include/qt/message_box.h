#pragma once

#include <QString>

#include "ui/message_box.h"

class QWidget;

namespace qt {

// The window's message box: modal, the text, an OK button only, no icon, the product title.
class MessageBox : public ui::MessageBoxService {
public:
    MessageBox(QString title, QWidget* parent);
    void show(std::string_view text) override;
    // The window the box is modal over, once there is one.
    void setParent(QWidget* parent) { m_parent = parent; }

private:
    QString m_title;
    QWidget* m_parent;
};

}  // namespace qt
