#include "qt/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QBuffer>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextDocument>
#include <QTextEdit>

#include "picture_view.h"
#include "status_area.h"
#include "qt/window_view.h"

namespace qt {
namespace {

// Line breaks as the clipboard wants them: CR LF and a lone CR become LF.
QString plainLines(std::string_view text) {
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            lines.push_back(text[i]);
        } else if (i + 1 == text.size() || text[i + 1] != '\n') {
            lines.push_back('\n');
        }
    }
    return QString::fromUtf8(lines.data(), static_cast<qsizetype>(lines.size()));
}

void showItem(QAction& action, const ui::MenuItem& item) {
    action.setText(QString::fromStdString(item.caption()));
    action.setEnabled(item.enabled());
    action.setVisible(item.visible());
    if (action.isCheckable()) action.setChecked(item.checked());
}

// The one local file a drag carries, or an empty text.
QString draggedFile(const QMimeData* data) {
    if (data == nullptr || data->urls().size() != 1 || !data->urls().front().isLocalFile()) {
        return {};
    }
    return data->urls().front().toLocalFile();
}

// Whether a text widget has typing of its own to take back; a field without any lets Undo and
// Redo go to the window's menu.
bool hasOwnUndo(const QObject* widget, bool redo) {
    if (const auto* line = qobject_cast<const QLineEdit*>(widget)) {
        return redo ? line->isRedoAvailable() : line->isUndoAvailable();
    }
    if (const auto* text = qobject_cast<const QTextEdit*>(widget)) {
        return redo ? text->document()->isRedoAvailable() : text->document()->isUndoAvailable();
    }
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(widget)) {
        return redo ? text->document()->isRedoAvailable() : text->document()->isUndoAvailable();
    }
    return true;
}

}  // namespace

MainWindow::MainWindow(ui::Frame& frame, QWidget* parent) : QMainWindow(parent), m_frame(frame) {
    buildMenus();
    m_status = new StatusArea(frame, this);
    statusBar()->addWidget(m_status, 1);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->setFixedHeight(m_status->height() + 2 * statusBar()->fontMetrics().descent() + 4);
    m_frame.onStatusChanged = [this](const ui::StatusPart& part) { m_status->showPart(part); };
    m_frame.onFormChanged = [this] { showForm(); };
    m_frame.setDesktop(this);
    showForm();
    setAcceptDrops(true);
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    m_frame.onStatusChanged = nullptr;
    m_frame.onFormChanged = nullptr;
    m_frame.setDesktop(nullptr);
    for (const auto& [item, action] : m_actions) item->onChanged = nullptr;
}

QAction* MainWindow::actionFor(const ui::MenuItem& item) const {
    for (const auto& [known, action] : m_actions) {
        if (known == &item) return action;
    }
    return nullptr;
}

void MainWindow::buildMenus() {
    for (const auto& menu : m_frame.menus()) {
        fillMenu(*menuBar()->addMenu(QString::fromStdString(menu->caption())), *menu);
    }
}

// Each item becomes an action that shows its state and runs it; a submenu becomes a menu of its
// own, and the radio items of one menu an exclusive group.
void MainWindow::fillMenu(QMenu& shown, const ui::Menu& menu) {
    QActionGroup* radios = nullptr;
    for (const auto& owned : menu.items()) {
        ui::MenuItem* item = owned.get();
        if (item == nullptr) {
            shown.addSeparator();
            continue;
        }
        QAction* action = nullptr;
        if (item->submenu() != nullptr) {
            QMenu* submenu = shown.addMenu(QString());
            fillMenu(*submenu, *item->submenu());
            action = submenu->menuAction();
        } else {
            action = shown.addAction(QString());
            action->setShortcuts(
                QKeySequence::listFromString(QString::fromStdString(item->shortcut())));
            action->setCheckable(item->kind() == ui::MenuItemKind::Check ||
                                 item->kind() == ui::MenuItemKind::Radio);
            if (item->kind() == ui::MenuItemKind::Radio) {
                if (radios == nullptr) radios = new QActionGroup(&shown);
                radios->addAction(action);
            }
            connect(action, &QAction::triggered, this, [item, action] {
                item->trigger();
                showItem(*action, *item);
            });
        }
        showItem(*action, *item);
        item->onChanged = [action, item] { showItem(*action, *item); };
        m_actions.emplace_back(item, action);
    }
}

// A view of the frame's form takes the place of the last one, which goes before its form does.
void MainWindow::showForm() {
    auto* view = new WindowView(*m_frame.form(), this);
    view->setFixedSize(m_frame.form()->clientWidth(), m_frame.form()->clientHeight());
    connect(view, &QWidget::windowTitleChanged, this, &QWidget::setWindowTitle);
    setWindowTitle(view->windowTitle());
    QWidget* old = takeCentralWidget();
    setCentralWidget(view);
    m_view = view;
    delete old;
}

QLabel& MainWindow::statusLabel(std::string_view part) const {
    return *m_status->label(part);
}

QImage MainWindow::shownImage(const ui::Picture& picture) const {
    const auto* view = dynamic_cast<const PictureView*>(m_view->widgetFor(picture));
    return view != nullptr ? view->shownImage() : QImage();
}

void MainWindow::copyText(std::string_view text) {
    QGuiApplication::clipboard()->setText(plainLines(text));
}

// Both as an image and as PNG bytes, so that a program that only takes PNG gets it too.
void MainWindow::copyPicture(const ui::Picture& picture) {
    const QImage image = shownImage(picture);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    auto* data = new QMimeData;
    data->setImageData(image);
    data->setData(QStringLiteral("image/png"), png);
    QGuiApplication::clipboard()->setMimeData(data);
}

bool MainWindow::savePicture(const ui::Picture& picture, const std::string& path) {
    const QImage image = shownImage(picture);
    return !image.isNull() && image.save(QString::fromStdString(path), "PNG");
}

void MainWindow::closeFrame() {
    QMainWindow::close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_frame.mayClose && !m_frame.mayClose()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

// A file dragged anywhere over the window, its fields included, is the window's to open; and
// Undo and Redo pass by a field that has nothing of its own to take back.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (widget == nullptr || widget->window() != this) return false;
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (draggedFile(drag->mimeData()).isEmpty()) return false;
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QString file = draggedFile(drop->mimeData());
            if (file.isEmpty()) return false;
            drop->acceptProposedAction();
            if (m_frame.onFileDropped) m_frame.onFileDropped(file.toStdString());
            return true;
        }
        case QEvent::ShortcutOverride: {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool undo = key->matches(QKeySequence::Undo);
            const bool redo = key->matches(QKeySequence::Redo) ||
                              key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y);
            if ((!undo && !redo) || hasOwnUndo(watched, redo)) return false;
            event->ignore();
            return true;
        }
        default:
            return false;
    }
}

}  // namespace qt
