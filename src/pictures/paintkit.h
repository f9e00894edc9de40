#pragma once

// The brushes and strokes the program's pictures are painted with: gradients, soft clouds and a
// fixed-seed scatter, so every picture comes out the same on every run.

#include <cstdint>
#include <QColor>
#include <QFont>
#include <QGradient>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

namespace pictures::paintkit {

// A tiny fixed-seed generator, so every cloud lands in the same place on every run.
class Scatter {
public:
    explicit Scatter(std::uint32_t seed)
        : state_(seed) {}
    double between(double lo, double hi) {
        state_ = state_ * 1664525u + 1013904223u;
        return lo + (hi - lo) * static_cast<double>(state_ >> 8) / 16777216.0;
    }

private:
    std::uint32_t state_;
};

// Paints a picture of the given size (in pixels at the normal scale), antialiased, with ratio
// times as many pixels each way and that device pixel ratio: opaque 24-bit unless another format
// is asked for.
template <typename Draw>
QImage painted(int width, int height, qreal ratio, Draw draw,
               QImage::Format format = QImage::Format_RGB32) {
    QImage image(qCeil(width * ratio), qCeil(height * ratio), format);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        draw(p);
    }
    return image;
}

using Stop = QGradientStop;

QLinearGradient ramp(QPointF from, QPointF to, const QGradientStops& stops);
QRadialGradient glowAround(QPointF centre, double radius, const QGradientStops& stops);

// Covers the whole picture with a brush.
void wash(QPainter& p, const QBrush& brush);

QPainterPath closedShape(const QPolygonF& corners);

// The largest bold font (up to pixelSize) in which the text fits within maxWidth on this device.
QFont fittedFont(int pixelSize, bool italic, const QString& text, double maxWidth,
                 QPaintDevice* device);

// The colour part-way (0 to 1) from one colour to another, alpha included.
QColor blend(const QColor& from, const QColor& to, double part);

// One soft puff of cloud: an ellipse that fades out towards its rim.
void puff(QPainter& p, QPointF centre, double rx, double ry, const QColor& colour);

// A heap of cloud: shaded puffs underneath, sunlit puffs on top.
void cloud(QPainter& p, QPointF centre, double width, double height, const QColor& lit,
           const QColor& shade, Scatter& scatter);

} // namespace pictures::paintkit
