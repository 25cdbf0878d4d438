#include "main_window_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "qt/window_view.h"

void MainWindowTest::SetUp() {
    m_shell = std::make_unique<shell::BenchShell>(m_messages, m_files);
    m_window = std::make_unique<qt::MainWindow>(m_shell->frame());
    m_window->show();
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
}

QWidget* MainWindowTest::widget(const std::string& qualifiedName) const {
    const ui::Control* control = form().find(qualifiedName);
    return control == nullptr ? nullptr : m_window->view().widgetFor(*control);
}

QAction* MainWindowTest::action(const std::string& caption) const {
    const ui::MenuItem* item = m_shell->frame().findMenuItem(caption);
    return item == nullptr ? nullptr : m_window->actionFor(*item);
}

void MainWindowTest::focusField(const std::string& qualifiedName) const {
    QWidget* field = widget(qualifiedName);
    field->setFocus(Qt::MouseFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(field)) line->end(false);
}

void MainWindowTest::click(const std::string& qualifiedName) const {
    QWidget* target = widget(qualifiedName);
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, QPoint(8, target->height() / 2));
}

void MainWindowTest::retype(const std::string& qualifiedName, const QString& text) const {
    focusField(qualifiedName);
    static_cast<QLineEdit*>(widget(qualifiedName))->selectAll();
    QTest::keyClicks(widget(qualifiedName), text);
}

std::string MainWindowTest::statusText() const {
    return m_window->statusLabel().text().toStdString();
}

std::string MainWindowTest::scratchPath(const std::string& name) const {
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string path = std::string("diblab_") + test->test_suite_name() + "_" + test->name() + "_";
    for (char& c : path) {
        if (c == '/') c = '_';
    }
    return testing::TempDir() + path + name;
}
