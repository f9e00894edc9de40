#include "pictures/paintkit.h"

#include <algorithm>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QRadialGradient>

namespace pictures::paintkit {

QLinearGradient ramp(QPointF from, QPointF to, const QGradientStops& stops) {
    QLinearGradient gradient(from, to);
    gradient.setStops(stops);
    return gradient;
}

QRadialGradient glowAround(QPointF centre, double radius, const QGradientStops& stops) {
    QRadialGradient gradient(centre, radius);
    gradient.setStops(stops);
    return gradient;
}

// Covers the whole picture with a brush.
void wash(QPainter& p, const QBrush& brush) {
    p.fillRect(p.window(), brush);
}

QPainterPath closedShape(const QPolygonF& corners) {
    QPainterPath path;
    path.addPolygon(corners);
    path.closeSubpath();
    return path;
}

// The largest bold font (up to pixelSize) in which the text fits within maxWidth on this device.
QFont fittedFont(int pixelSize, bool italic, const QString& text, double maxWidth,
                 QPaintDevice* device) {
    QFont font(QStringLiteral("Tahoma"), -1, QFont::Bold, italic);
    font.setStyleHint(QFont::SansSerif);
    // Unhinted, the glyphs are the same wherever the pictures are painted: by the build machine
    // and by the program on Windows or Linux.
    font.setHintingPreference(QFont::PreferNoHinting);
    for (font.setPixelSize(pixelSize); pixelSize > 6; font.setPixelSize(--pixelSize)) {
        const QFontMetricsF metrics(font, device);
        if (std::max(metrics.horizontalAdvance(text), metrics.boundingRect(text).width()) <=
            maxWidth)
            break;
    }
    return font;
}

// The colour part-way (0 to 1) from one colour to another, alpha included.
QColor blend(const QColor& from, const QColor& to, double part) {
    const auto mixed = [part](int a, int b) {
        return static_cast<int>(a + (b - a) * part);
    };
    return QColor(mixed(from.red(), to.red()), mixed(from.green(), to.green()),
                  mixed(from.blue(), to.blue()), mixed(from.alpha(), to.alpha()));
}

// One soft puff of cloud: an ellipse that fades out towards its rim.
void puff(QPainter& p, QPointF centre, double rx, double ry, const QColor& colour) {
    QColor body = colour, rim = colour;
    body.setAlpha(colour.alpha() * 3 / 4);
    rim.setAlpha(0);
    p.save();
    p.translate(centre);
    p.scale(rx, ry);
    p.setPen(Qt::NoPen);
    p.setBrush(
        glowAround(QPointF(0, 0), 1.0, {Stop(0.0, colour), Stop(0.55, body), Stop(1.0, rim)}));
    p.drawEllipse(QPointF(0, 0), 1.0, 1.0);
    p.restore();
}

// A heap of cloud: shaded puffs underneath, sunlit puffs on top.
void cloud(QPainter& p, QPointF centre, double width, double height, const QColor& lit,
           const QColor& shade, Scatter& scatter) {
    const int count = std::max(4, static_cast<int>(width / height * 2.5));
    for (int i = 0; i < count; ++i) {
        const double x = centre.x() + scatter.between(-0.42, 0.42) * width;
        const double r = height * scatter.between(0.45, 0.65);
        puff(p, QPointF(x, centre.y() + height * 0.2), r * 1.7, r * 0.75, shade);
    }
    for (int i = 0; i < count; ++i) {
        const double x = centre.x() + scatter.between(-0.36, 0.36) * width;
        const double r = height * scatter.between(0.35, 0.55);
        puff(p, QPointF(x, centre.y() - height * 0.1 + scatter.between(-0.1, 0.1) * height),
             r * 1.4, r * 0.8, lit);
    }
}

} // namespace pictures::paintkit
