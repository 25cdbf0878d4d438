#include "qt/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>

#include "picture_view.h"
#include "qt/window_view.h"

namespace qt {
namespace {

// Room for the longest account of a run (about 580 characters, with a band of 2^31 lines and
// every edge of the rectangle cut); the tool tip holds the whole sentence all the same.
constexpr int kStatusLines = 7;

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

}  // namespace

MainWindow::MainWindow(ui::Frame& frame, QWidget* parent) : QMainWindow(parent), m_frame(frame) {
    buildMenus();
    m_status = new QLabel(this);
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_status->setFixedHeight(kStatusLines * m_status->fontMetrics().lineSpacing());
    statusBar()->addWidget(m_status, 1);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->setFixedHeight(m_status->height() + 2 * statusBar()->fontMetrics().descent() + 4);
    m_frame.onStatusChanged = [this] { syncStatus(); };
    m_frame.onFormChanged = [this] { showForm(); };
    m_frame.setDesktop(this);
    showForm();
    syncStatus();
}

MainWindow::~MainWindow() {
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

void MainWindow::syncStatus() {
    const QString text = QString::fromStdString(m_frame.statusText());
    m_status->setText(text);
    m_status->setToolTip(text);
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

}  // namespace qt
