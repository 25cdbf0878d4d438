#include "window_fixture.h"

#include <QApplication>
#include <QTest>
#include <stdexcept>

#include "product/version.h"

void WindowTest::SetUp() {
    m_form = std::make_unique<app::frmBench>();
    m_window = std::make_unique<qt::WindowView>(*m_form);
    m_messageBox =
        std::make_unique<qt::MessageBox>(QString::fromLatin1(kProductTitle), m_window.get());
    m_form->setMessageBox(m_messageBox.get());
    m_form->load();
    m_window->show();
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
}

QWidget* WindowTest::widget(const ui::Control& control) const {
    return m_window->widgetFor(control);
}

QWidget* WindowTest::widget(const std::string& qualifiedName) const {
    return widget(control(qualifiedName));
}

ui::Control& WindowTest::control(const std::string& qualifiedName) const {
    ui::Control* found = m_form->find(qualifiedName);
    if (found == nullptr) throw std::invalid_argument("no control " + qualifiedName);
    return *found;
}

void WindowTest::focus(const std::string& qualifiedName) const {
    widget(qualifiedName)->setFocus(Qt::MouseFocusReason);
}

std::string WindowTest::focusedControl() const {
    const QWidget* focused = QApplication::focusWidget();
    for (const ui::Control* candidate : m_form->controls()) {
        if (widget(*candidate) == focused) return candidate->qualifiedName();
    }
    return {};
}
