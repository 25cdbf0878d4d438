#include "ui/frame.h"

#include <utility>

namespace ui {

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
