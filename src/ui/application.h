#pragma once

namespace ui {

// Sets up the application as every window expects it: its name, style, window icon and the
// stand-ins for the fonts the windows name. Call after the QApplication is made.
void prepareApplication();

} // namespace ui
