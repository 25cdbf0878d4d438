#include "modal.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

#if DIBLAB_HAVE_XCB
#include <QGuiApplication>
#include <xcb/xcb.h>
#endif

namespace qt {
namespace {

// Raises a window and asks for the keyboard. Qt asks the X server with the time of the last event
// it saw, which the server ignores once the focus has moved since, as it does when a dialog is
// unmapped; without a window manager nothing else hands the keyboard over, so on X the window
// asks once more for the current time.
void activate(QWidget& window) {
    window.raise();
    window.activateWindow();
#if DIBLAB_HAVE_XCB
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() == QLatin1String("xcb") && x11 != nullptr &&
        x11->connection() != nullptr) {
        xcb_set_input_focus(x11->connection(), XCB_INPUT_FOCUS_PARENT,
                            static_cast<xcb_window_t>(window.winId()), XCB_CURRENT_TIME);
        xcb_flush(x11->connection());
    }
#endif
}

}  // namespace

int runModal(QDialog& dialog) {
    const QPointer<QWidget> focused = QApplication::focusWidget();
    const QPointer<QWidget> owner =
        dialog.parentWidget() != nullptr ? dialog.parentWidget()->window() : nullptr;
    QTimer::singleShot(0, &dialog, [&dialog] { activate(dialog); });
    const int result = dialog.exec();
    if (owner != nullptr && owner->isVisible()) activate(*owner);
    if (focused != nullptr && focused->isVisible()) focused->setFocus(Qt::ActiveWindowFocusReason);
    return result;
}

}  // namespace qt
