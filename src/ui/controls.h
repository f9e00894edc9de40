#pragma once

#include <QColor>
#include <QLabel>
#include <QPixmap>
#include <QRect>
#include <QString>

// Controls placed as the windows were drawn: each with its name on the window (also its object
// name, by which tests find it) and its place in pixels (see twips.h).
namespace ui {

template <typename Widget> Widget* place(Widget* widget, const char* name, QRect rect) {
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(rect);
    return widget;
}

// A label with a transparent background, its caption at the top left, in the given colour.
QLabel* label(QWidget* parent, const char* name, const QString& caption, QRect rect,
              const QColor& colour);

// A picture box showing a picture at its top left, clipped to the box.
QLabel* picture(QWidget* parent, const char* name, const QPixmap& pixmap, QRect rect);

} // namespace ui
