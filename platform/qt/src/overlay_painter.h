#pragma once

#include "ui/overlay.h"

class QPainter;

namespace qt {

// Draws the marks of an overlay: each in its colour with a black halo, so that it reads on white,
// on black and on everything between.
void paintOverlay(QPainter& painter, const ui::Overlay& overlay);

}  // namespace qt
