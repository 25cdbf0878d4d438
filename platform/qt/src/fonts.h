#pragma once

#include <QFont>

#include "ui/control.h"

namespace qt {

// The Qt font for a control's font: Windows faces map to Debian substitutes of the same kind, and
// the size is set in pixels as the design density of 120 dots per inch gives it, so that the
// layout does not depend on the screen's resolution.
QFont fontFor(const ui::Font& font);

}  // namespace qt
