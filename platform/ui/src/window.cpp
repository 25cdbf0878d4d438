#include "ui/window.h"

#include <algorithm>
#include <utility>

namespace ui {

Window::Window(std::string name, int clientWidth, int clientHeight)
    : m_name(std::move(name)), m_clientWidth(clientWidth), m_clientHeight(clientHeight) {}

void Window::setCaption(std::string caption) {
    m_caption = std::move(caption);
    if (onChanged) onChanged();
}

void Window::add(Control& control) {
    m_controls.push_back(&control);
}

Control* Window::find(const std::string& qualifiedName) const {
    for (Control* control : m_controls) {
        if (control->qualifiedName() == qualifiedName) return control;
    }
    return nullptr;
}

bool Window::setFocus(Control& control) {
    if (!control.canFocus()) return false;
    m_active = &control;
    if (onFocusRequested) onFocusRequested(control);
    if (onChanged) onChanged();
    return true;
}

void Window::focusNext(bool backward) {
    std::vector<Control*> order;
    for (Control* control : m_controls) {
        if (control->canFocus()) order.push_back(control);
    }
    if (order.empty()) return;
    std::stable_sort(order.begin(), order.end(),
                     [](const Control* a, const Control* b) { return a->TabIndex < b->TabIndex; });
    const auto current = std::find(order.begin(), order.end(), m_active);
    const std::size_t count = order.size();
    std::size_t position = backward ? count - 1 : 0;
    if (current != order.end()) {
        const auto at = static_cast<std::size_t>(current - order.begin());
        position = backward ? (at + count - 1) % count : (at + 1) % count;
    }
    setFocus(*order[position]);
}

std::int16_t Window::previewKeyPress(std::int16_t code) const {
    if (KeyPress) KeyPress(code);
    return code;
}

void Window::keyPress(std::int16_t code) {
    const std::int16_t delivered = previewKeyPress(code);
    if (delivered != 0 && m_active != nullptr) m_active->keyPress(delivered);
}

void Window::load() {
    if (Load) Load();
    if (m_active == nullptr) focusNext(false);
}

void Window::MsgBox(std::string_view text) const {
    if (m_messageBox != nullptr) m_messageBox->show(text);
}

}  // namespace ui
