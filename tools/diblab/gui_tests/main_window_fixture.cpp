#include "main_window_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QLineEdit>
#include <QTest>
#include <cstdio>

#include "qt/window_view.h"

void MainWindowTest::SetUp() {
    const std::string settings = scratchPath("settings.ini");
    std::remove(settings.c_str());
    m_settings = std::make_unique<qt::Settings>(QString::fromStdString(settings));
    reopen();
}

void MainWindowTest::reopen() {
    m_window.reset();
    m_shell.reset();
    m_shell = std::make_unique<shell::BenchShell>(
        shell::BenchServices{m_messages, m_files, m_questions, *m_settings});
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

std::string MainWindowTest::statusText(const char* part) const {
    return m_window->statusLabel(part).text().toStdString();
}

std::string MainWindowTest::scratchPath(const std::string& name) const {
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string path = std::string("diblab_") + test->test_suite_name() + "_" + test->name() + "_";
    for (char& c : path) {
        if (c == '/') c = '_';
    }
    return testing::TempDir() + path + name;
}

std::map<std::string, QString> MainWindowTest::shownState() const {
    std::map<std::string, QString> shown;
    for (const ui::Control* control : form().controls()) {
        QWidget* view = widget(control->qualifiedName());
        QString value;
        if (auto* edit = qobject_cast<QLineEdit*>(view)) {
            value = edit->text();
        } else if (auto* report = qobject_cast<QPlainTextEdit*>(view)) {
            value = report->toPlainText();
        } else if (auto* label = qobject_cast<QLabel*>(view)) {
            value = label->text();
        } else if (auto* box = qobject_cast<QCheckBox*>(view)) {
            value = box->text() + (box->isChecked() ? " [x]" : " [ ]");
        } else if (auto* button = qobject_cast<QPushButton*>(view)) {
            value = button->text();
        } else if (control->kind() == ui::ControlKind::Picture) {
            const QImage image = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
            value = QString::fromLatin1(
                QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes())
                    .toHex());
        }
        shown[control->qualifiedName()] = value;
    }
    return shown;
}
