#pragma once

#include <QColor>
#include <QPoint>
#include <QWidget>

class QPainter;

namespace ui {

// Paints a one-pixel outline just inside rect as four filled strips, not with a pen: a pen's
// stroke straddles the edge, so at twice the scale the left and top edges would lose half their
// width to the clip while the right and bottom kept all of it.
void fillOutline(QPainter& painter, const QRect& rect, const QColor& colour);

// A rectangle outline drawn one pixel wide along the edges of the widget. It takes no clicks.
class RectangleShape : public QWidget {
    Q_OBJECT
public:
    RectangleShape(QWidget* parent, const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
};

// A straight line, one pixel wide, between two points of the parent (pixels). The widget covers
// just the line; it takes no clicks.
class LineShape : public QWidget {
    Q_OBJECT
public:
    LineShape(QWidget* parent, QPoint from, QPoint to, const QColor& colour);
    QPoint from() const { return from_; }
    QPoint to() const { return to_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint from_;
    QPoint to_;
    QColor colour_;
};

} // namespace ui
