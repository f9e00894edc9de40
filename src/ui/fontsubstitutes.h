#pragma once

namespace ui {

// The windows and pictures name the fonts of the system they were drawn on: "Tahoma",
// "Haettenschweiler" and "MS Sans Serif", and on Windows its dialog font ("MS Shell Dlg"). Where
// those are missing, free fonts of similar build stand in for them. Call after the application
// object is made.
void installFontSubstitutes();

} // namespace ui
