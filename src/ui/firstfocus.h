#pragma once

class QWidget;

namespace ui {

// Each time the program shows the window, the focus starts on its first control. Hiding a
// window moves its focus on to the next control: left there, a pilot's Enter could press a
// button such as Load Flight Plan (on the compiler window, reloading the flight over the pilot's
// edits). A window the pilot restores (a spontaneous show) keeps its focus.
void startFocusOn(QWidget* window, QWidget* first);

} // namespace ui
