#include "ui/fonts.h"

#include <cmath>
#include <QFontMetrics>
#include <QWidget>

namespace ui {

QFont windowFont(const QString& family, double points, bool bold) {
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    font.setBold(bold);
    return font;
}

void fitFontToWidth(QWidget* widget, const QString& text, int margin) {
    const int room = widget->width() - margin;
    QFont font = widget->font();
    auto fits = [&] {
        return QFontMetrics(font).horizontalAdvance(text) <= room;
    };
    for (int stretch = 95; !fits() && stretch >= 75; stretch -= 5) {
        font.setStretch(stretch);
    }
    while (!fits() && font.pixelSize() > 6) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    widget->setFont(font);
}

} // namespace ui
