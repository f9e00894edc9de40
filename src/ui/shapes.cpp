#include "ui/shapes.h"

#include <QPainter>

namespace ui {

RectangleShape::RectangleShape(QWidget* parent, const QColor& colour)
    : QWidget(parent)
    , colour_(colour) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RectangleShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(colour_);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
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
    painter.setPen(colour_);
    painter.drawLine(from_ - pos(), to_ - pos());
}

} // namespace ui
