#pragma once

class QDialog;

namespace qt {

// Runs a dialog modally over the window it belongs to and hands the keyboard back afterwards. The
// dialog is raised and activated once it is shown, since without a window manager nothing else
// gives it the keyboard; once it is answered its window is activated again and the widget that
// had the focus before gets it back. Returns what QDialog::exec returns.
int runModal(QDialog& dialog);

}  // namespace qt
