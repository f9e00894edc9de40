#pragma once

class QWidget;

namespace ui {

// Centres a top-level window, frame and title bar included, on the primary screen's available
// area, to the pixel. Call it before the window first shows: the window manager's frame is
// not known then, so the frame of an earlier window stands in for it (none for the first), and
// once the window manager has framed the window, it is centred again if its frame differs.
void centreOnScreen(QWidget* window);

} // namespace ui
