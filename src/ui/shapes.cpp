#include "ui/shapes.h"

#include <QPainter>

namespace ui {

RectangleShape::RectangleShape(QWidget* parent, const QColor& colour)
    : QWidget(parent)
    , colour_(colour) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

// The outline is filled as four strips one pixel wide, not stroked with a pen: a pen's stroke
// straddles the edge, so at twice the scale the left and top edges would lose half their width
// to the clip while the right and bottom kept all of it.
void RectangleShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int w = width();
    const int h = height();
    painter.fillRect(0, 0, w, 1, colour_);
    painter.fillRect(0, h - 1, w, 1, colour_);
    painter.fillRect(0, 0, 1, h, colour_);
    painter.fillRect(w - 1, 0, 1, h, colour_);
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
