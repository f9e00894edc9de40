#pragma once

// Every picture the program shows. They are painted in code (src/pictures) when the program is
// built and come from its resources, each at the normal scale and with twice as many pixels each
// way: on a screen scaled up, the pictures have the larger images, so they stay sharp. The sizes
// below are those at the normal scale.

#include <QIcon>
#include <QPixmap>

namespace ui::artwork {

// Banner with the product name "Talvo 2003", 356 x 61 pixels.
QPixmap banner();

// Left-hand column image, 133 x 390 pixels (shown on two windows; only its top ~300 px are
// visible on one of them, its top ~317 px on the other, so the important part sits up there).
QPixmap columnImage();

// Main illustration, 600 x 480 pixels. It is shown unscaled and clipped to its top-left
// 538 x 301 pixels, so it is composed to read well in that visible part.
QPixmap mainIllustration();

enum class ButtonImage { LoadFlightPlan, CompileAdventure, Exit };

// A picture button's face: 129 x 23 pixels, its label ("Load Flight Plan", "Compile Adventure",
// "Exit") in red on a sky background.
QPixmap buttonImage(ButtonImage which);

// The program's window icon (a jumbo jet seen from below), in sizes 16, 32, 48, 64, 128, 256.
QIcon windowIcon();

} // namespace ui::artwork
