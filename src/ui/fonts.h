#pragma once

#include <QFont>
#include <QString>

class QWidget;

namespace ui {

// A font as the windows name it: family, size in points at 96 dots per inch (kept as a pixel
// size, so the layout does not depend on the screen's resolution), weight.
QFont windowFont(const QString& family, double points, bool bold);

// Narrows the widget's font, then makes it smaller, until text fits the widget's width (less
// margin pixels), so a caption never runs out of its box when a stand-in font is wider than the
// font the window was made with. A text that fits already keeps the font.
void fitFontToWidth(QWidget* widget, const QString& text, int margin = 0);

} // namespace ui
