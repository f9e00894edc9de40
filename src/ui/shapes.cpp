#include "ui/shapes.h"

#include <QPainter>

namespace ui {

void fillOutline(QPainter& painter, const QRect& rect, const QColor& colour) {
    painter.fillRect(rect.left(), rect.top(), rect.width(), 1, colour);
    painter.fillRect(rect.left(), rect.bottom(), rect.width(), 1, colour);
    painter.fillRect(rect.left(), rect.top(), 1, rect.height(), colour);
    painter.fillRect(rect.right(), rect.top(), 1, rect.height(), colour);
}

RectangleShape::RectangleShape(QWidget* parent, const QColor& colour)
    : QWidget(parent)
    , colour_(colour) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RectangleShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    fillOutline(painter, rect(), colour_);
}

LineShape::LineShape(QWidget* parent, QPoint from, QPoint to, const QColor& colour)
    : QWidget(parent)
    , from_(from)
    , to_(to)
    , colour_(colour) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(QRect(QPoint(qMin(from.x(), to.x()), qMin(from.y(), to.y())),
                      QPoint(qMax(from.x(), to.x()), qMax(from.y(), to.y()))));
}

void LineShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // A level or upright line is the whole widget, filled: as even at any scale as the outline.
    if (from_.x() == to_.x() || from_.y() == to_.y()) {
        painter.fillRect(rect(), colour_);
        return;
    }
    painter.setPen(colour_);
    painter.drawLine(from_ - pos(), to_ - pos());
}

} // namespace ui
