#pragma once

#include <QColor>
#include <QPoint>
#include <QWidget>

namespace ui {

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
