// Every picture the program shows, painted from scratch with QPainter: skies, clouds and a
// four-engined jumbo jet with its upper-deck hump.

#include "artwork.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTransform>

namespace ui::artwork {
namespace {

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

// Paints a picture of the given size, one device pixel per pixel and antialiased, and hands it
// back as a pixmap: opaque 24-bit unless another format is asked for.
template <typename Draw>
QPixmap painted(int width, int height, Draw draw, QImage::Format format = QImage::Format_RGB32) {
    QImage image(width, height, format);
    image.setDevicePixelRatio(1.0);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        draw(p);
    }
    return QPixmap::fromImage(image);
}

using Stop = QGradientStop;

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

// The jumbo jet seen from the side, nose to the right: 100 units long, fuselage centre line at
// y = 0 with y growing downwards.
struct SideJet {
    QPainterPath body, fin, tailplane, wing, nearEngines, farEngines, pylons, cockpit;
};

QPainterPath nacelle(double front, double length, double centreY, double radius) {
    const double back = front - length;
    QPainterPath path;
    path.moveTo(front, centreY - radius);
    path.cubicTo(front - length * 0.5, centreY - radius, back + 1.0, centreY - radius * 0.75, back,
                 centreY - radius * 0.6);
    path.lineTo(back - 1.2, centreY);
    path.lineTo(back, centreY + radius * 0.6);
    path.cubicTo(back + 1.0, centreY + radius * 0.75, front - length * 0.5, centreY + radius, front,
                 centreY + radius);
    path.cubicTo(front + 0.5, centreY + radius * 0.6, front + 0.5, centreY - radius * 0.6, front,
                 centreY - radius);
    path.closeSubpath();
    return path;
}

SideJet buildSideJet() {
    SideJet jet;
    QPainterPath& b = jet.body;
    b.moveTo(100.0, 0.8);
    b.cubicTo(100.0, -3.0, 97.8, -5.6, 94.5, -7.0);
    b.cubicTo(92.0, -7.8, 80.0, -7.7, 70.0, -7.5);
    b.cubicTo(63.0, -7.4, 60.0, -4.6, 53.0, -4.6);
    b.lineTo(20.0, -4.6);
    b.cubicTo(12.0, -4.5, 5.0, -3.9, 0.4, -3.1);
    b.lineTo(0.0, -2.3);
    b.cubicTo(8.0, -1.4, 20.0, 3.6, 32.0, 4.6);
    b.lineTo(86.0, 4.6);
    b.cubicTo(94.0, 4.6, 100.0, 3.6, 100.0, 0.8);
    b.closeSubpath();

    jet.fin = closedShape({{25.0, -4.4}, {7.5, -19.8}, {1.8, -19.8}, {0.5, -18.7}, {2.0, -3.4}});
    jet.tailplane = closedShape({{17.0, -1.4}, {4.5, -5.2}, {0.2, -5.4}, {0.8, -4.4}, {9.0, -0.6}});
    jet.wing = closedShape(
        {{61.0, 2.6}, {27.0, -2.4}, {21.0, -2.2}, {20.5, -1.6}, {35.0, 3.2}, {44.0, 4.4}});

    jet.nearEngines.addPath(nacelle(58.0, 10.0, 6.4, 2.25));
    jet.nearEngines.addPath(nacelle(45.0, 9.2, 3.9, 2.1));
    jet.farEngines.addPath(nacelle(60.0, 10.0, 4.9, 2.2));
    jet.farEngines.addPath(nacelle(47.5, 9.2, 2.5, 2.0));
    jet.pylons = closedShape({{56.0, 4.5}, {53.0, 3.0}, {48.0, 3.4}, {48.5, 4.6}});
    jet.pylons.addPath(closedShape({{43.0, 2.2}, {40.0, 0.4}, {36.0, 0.6}, {36.5, 2.2}}));
    jet.cockpit = closedShape({{93.6, -6.7}, {95.7, -6.0}, {97.2, -4.8}, {93.3, -5.6}});
    return jet;
}

// How a side-view jet is painted: bright body, coloured trim, darker belly and engines.
struct Livery {
    QColor crown, belly, trim, engine, far, outline, windows;
};

// White and blue under a daytime sky.
const Livery daylight{QColor(252, 252, 255), QColor(168, 180, 200), QColor(24, 60, 140),
                      QColor(190, 196, 206), QColor(112, 124, 148), QColor(16, 28, 64, 200),
                      QColor(30, 40, 70)};

const SideJet& sideJet() {
    static const SideJet jet = buildSideJet();
    return jet;
}

// Where the side-view jet sits, from its own units to picture pixels: centred on 'centre',
// pitched 'climb' degrees nose up and 'length' pixels from nose to tail.
QTransform sideJetPose(QPointF centre, double length, double climb) {
    const SideJet& jet = sideJet();
    QTransform pose;
    pose.rotate(-climb);
    pose.scale(length / 100.0, length / 100.0);
    const QPointF middle =
        pose.map(jet.body.united(jet.fin).united(jet.nearEngines)).boundingRect().center();
    return pose * QTransform::fromTranslate(centre.x() - middle.x(), centre.y() - middle.y());
}

// A contrail streaming straight back from 'from' (in the jet's own units) for 'reach' pixels.
void contrail(QPainter& p, const QTransform& pose, QPointF from, double reach, double width,
              int alpha) {
    QPointF back = pose.map(QPointF(0, 0)) - pose.map(QPointF(100, 0));
    back *= reach / std::hypot(back.x(), back.y());
    const QPointF start = pose.map(from);
    const QGradientStops fade{Stop(0.0, QColor(255, 255, 255, alpha)), Stop(1.0, Qt::transparent)};
    p.setPen(QPen(ramp(start, start + back, fade), width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(start, start + back);
}

void paintSideJet(QPainter& p, const QTransform& pose, const Livery& look) {
    const SideJet& jet = sideJet();
    const double scale = std::sqrt(std::abs(pose.determinant()));
    const double length = scale * 100.0;
    p.save();
    p.setTransform(pose, true);
    const QPen outline(look.outline, 0.9 / scale, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);

    // The far-side engines peep out just above and ahead of the near ones.
    p.setPen(Qt::NoPen);
    p.setBrush(look.far);
    p.drawPath(jet.farEngines);

    p.setPen(outline);
    p.setBrush(ramp({0, -21}, {0, -4}, {Stop(0.0, look.trim.lighter(125)), Stop(1.0, look.trim)}));
    p.drawPath(jet.fin);
    p.setBrush(ramp({0, -7.5}, {0, 4.6},
                    {Stop(0.0, look.crown), Stop(0.5, look.crown), Stop(1.0, look.belly)}));
    p.drawPath(jet.body);

    // The cheat line and the cabin windows, kept inside the fuselage.
    p.save();
    p.setClipPath(jet.body, Qt::IntersectClip);
    p.setPen(Qt::NoPen);
    p.setBrush(look.trim);
    p.drawRect(QRectF(0.0, 0.3, 100.0, 1.3));
    p.setBrush(look.windows);
    if (length >= 160.0) {
        for (double x = 22.0; x < 89.0; x += 1.45)
            if (std::fmod(x - 22.0, 14.5) > 1.5)
                p.drawRoundedRect(QRectF(x, -1.9, 0.55, 0.85), 0.2, 0.2);
        for (double x = 68.0; x < 90.0; x += 1.6)
            p.drawRoundedRect(QRectF(x, -6.0, 0.55, 0.8), 0.2, 0.2);
    } else {
        p.drawRect(QRectF(22.0, -1.8, 67.0, 0.6));
        p.drawRect(QRectF(68.0, -5.9, 22.0, 0.6));
    }
    p.drawPath(jet.cockpit);
    p.restore();

    p.setPen(outline);
    p.setBrush(look.crown.darker(112));
    p.drawPath(jet.tailplane);
    p.setBrush(
        ramp({0, -2.4}, {0, 4.4}, {Stop(0.0, look.crown.darker(108)), Stop(1.0, look.belly)}));
    p.drawPath(jet.wing);
    p.setBrush(look.engine.darker(115));
    p.drawPath(jet.pylons);
    p.setBrush(ramp({0, 2}, {0, 8},
                    {Stop(0.0, look.engine.lighter(115)), Stop(1.0, look.engine.darker(120))}));
    p.drawPath(jet.nearEngines);
    p.restore();
}

// The jumbo jet seen from below, nose up (towards -y), about 100 units long and 92 wide.
QPainterPath planJet() {
    QPolygonF half;
    for (int step = 0; step <= 6; ++step) {
        const double a = step * 3.14159265358979 / 12.0;
        half << QPointF(4.6 * std::sin(a), -40.0 - 10.0 * std::cos(a));
    }
    half << QPointF(4.6, -7.0) << QPointF(45.0, 23.5) << QPointF(46.0, 25.0) << QPointF(45.2, 28.0)
         << QPointF(17.0, 17.0) << QPointF(4.6, 16.0) << QPointF(4.2, 30.0) << QPointF(3.2, 36.0)
         << QPointF(16.0, 45.5) << QPointF(16.2, 48.0) << QPointF(2.0, 46.5) << QPointF(0.6, 50.0);
    QPolygonF outline = half;
    for (qsizetype i = half.size() - 1; i >= 0; --i)
        outline << QPointF(-half[i].x(), half[i].y());
    QPainterPath path;
    path.addPolygon(outline);
    path.closeSubpath();
    for (const double side : {-1.0, 1.0}) {
        QPainterPath pods;
        pods.addRoundedRect(QRectF(side * 17.0 - 2.5, -6.5, 5.0, 10.5), 2.3, 2.3);
        pods.addRoundedRect(QRectF(side * 30.5 - 2.3, 3.0, 4.6, 10.0), 2.1, 2.1);
        path = path.united(pods);
    }
    return path.simplified();
}

// A 24-bit picture button face: a sky-blue bar with a thin darker frame and its red label.
QPixmap makeButton(const QString& label) {
    return painted(129, 23, [&label](QPainter& p) {
        wash(p, ramp({0, 0}, {0, 23},
                     {Stop(0.0, QColor(228, 242, 255)), Stop(0.45, QColor(196, 224, 250)),
                      Stop(1.0, QColor(150, 196, 238))}));
        p.setPen(QColor(255, 255, 255, 190));
        p.drawLine(QPointF(1.5, 1.5), QPointF(127.5, 1.5));
        p.setPen(QColor(52, 96, 156));
        p.drawRect(QRectF(0.5, 0.5, 128.0, 22.0));
        p.setFont(fittedFont(12, false, label, 121.0, p.device()));
        p.setPen(QColor(200, 0, 0));
        p.drawText(QRectF(0, 0, 129, 23), Qt::AlignCenter, label);
    });
}

// White text with a soft dark shadow, for the wordmarks.
void shadowedText(QPainter& p, const QRectF& box, int flags, const QString& text, double drop) {
    p.setPen(QColor(0, 10, 40, 160));
    p.drawText(box.translated(drop, drop), flags, text);
    p.setPen(Qt::white);
    p.drawText(box, flags, text);
}

// The window icon at one size: a white jet seen from below, banking across a rounded sky tile.
QPixmap makeIconFace(int size) {
    static const QPainterPath jet = planJet();
    return painted(
        size, size,
        [size](QPainter& p) {
            const double s = size;
            const QColor horizon = size <= 32 ? QColor(64, 124, 206) : QColor(120, 184, 240);
            p.setPen(size >= 32 ? QPen(QColor(8, 28, 80), std::max(1.0, s / 64.0)) : Qt::NoPen);
            p.setBrush(ramp({0, 0}, {0, s}, {Stop(0.0, QColor(14, 48, 128)), Stop(1.0, horizon)}));
            p.drawRoundedRect(QRectF(0.5, 0.5, s - 1.0, s - 1.0), s * 0.2, s * 0.2);

            const QTransform turn = QTransform().rotate(40.0);
            const QRectF bounds = turn.map(jet).boundingRect();
            const double k =
                s * (size <= 16 ? 0.92 : 0.84) / std::max(bounds.width(), bounds.height());
            const QPainterPath shape =
                (turn * QTransform::fromTranslate(-bounds.center().x(), -bounds.center().y()) *
                 QTransform::fromScale(k, k) * QTransform::fromTranslate(s / 2.0, s / 2.0))
                    .map(jet);
            p.setPen(Qt::NoPen);
            if (size >= 32) {
                p.setBrush(QColor(0, 16, 48, 110));
                p.drawPath(shape.translated(s * 0.025, s * 0.035));
            }
            p.setBrush(
                ramp({0, 0}, {s, s}, {Stop(0.0, Qt::white), Stop(1.0, QColor(206, 216, 230))}));
            p.drawPath(shape);
        },
        QImage::Format_ARGB32_Premultiplied);
}

} // namespace

QPixmap banner() {
    static const QPixmap picture = painted(356, 61, [](QPainter& p) {
        wash(p, ramp({0, 0}, {356, 0},
                     {Stop(0.0, QColor(10, 34, 96)), Stop(0.55, QColor(42, 96, 172)),
                      Stop(1.0, QColor(150, 198, 240))}));
        wash(p, ramp({0, 0}, {0, 61},
                     {Stop(0.0, QColor(255, 255, 255, 40)), Stop(0.5, Qt::transparent),
                      Stop(1.0, QColor(0, 0, 40, 50))}));
        Scatter scatter(2003);
        cloud(p, QPointF(300, 52), 90, 14, QColor(255, 255, 255, 150), QColor(200, 215, 235, 110),
              scatter);
        const QTransform pose = sideJetPose(QPointF(302, 29), 80, 9.0);
        contrail(p, pose, QPointF(36.0, 4.5), 90, 1.6, 130);
        contrail(p, pose, QPointF(48.0, 6.8), 80, 1.6, 110);
        paintSideJet(p, pose, daylight);

        const QString name = QStringLiteral("Talvo 2003");
        p.setFont(fittedFont(38, true, name, 228.0, p.device()));
        shadowedText(p, QRectF(14, 2, 240, 52), Qt::AlignLeft | Qt::AlignVCenter, name, 2.0);
        const double width = QFontMetricsF(p.font(), p.device()).horizontalAdvance(name);
        const QColor gold(244, 196, 76);
        p.setPen(QPen(ramp({16, 0}, {16 + width, 0}, {Stop(0.0, gold), Stop(1.0, Qt::transparent)}),
                      2.0));
        p.drawLine(QPointF(16, 51), QPointF(16 + width, 51));
    });
    return picture;
}

QPixmap columnImage() {
    static const QPixmap picture = painted(133, 390, [](QPainter& p) {
        wash(p, ramp({0, 0}, {0, 390},
                     {Stop(0.0, QColor(6, 24, 78)), Stop(0.35, QColor(28, 78, 160)),
                      Stop(0.7, QColor(120, 176, 232)), Stop(1.0, QColor(200, 226, 248))}));
        Scatter scatter(747);
        const QColor white(255, 255, 255, 200), shade(188, 208, 234, 150);
        cloud(p, QPointF(30, 262), 70, 16, white, shade, scatter);
        cloud(p, QPointF(108, 300), 80, 18, white, shade, scatter);
        for (int i = 0; i < 6; ++i)
            cloud(p, QPointF(i * 28.0, 352 + (i % 2) * 10), 70, 26, QColor(255, 255, 255, 235),
                  QColor(182, 204, 232, 210), scatter);
        puff(p, QPointF(100, 104), 44, 4, QColor(255, 255, 255, 60));
        puff(p, QPointF(36, 226), 50, 5, QColor(255, 255, 255, 70));

        const QTransform pose = sideJetPose(QPointF(66.5, 168), 118, 27.0);
        contrail(p, pose, QPointF(36.0, 4.5), 80, 1.4, 110);
        contrail(p, pose, QPointF(48.0, 6.8), 80, 1.4, 90);
        paintSideJet(p, pose, daylight);

        const QString type = QStringLiteral("747-400");
        p.setFont(fittedFont(26, true, type, 117.0, p.device()));
        shadowedText(p, QRectF(0, 14, 133, 34), Qt::AlignCenter, type, 1.5);
        p.setPen(QPen(QColor(244, 196, 76), 1.5));
        p.drawLine(QPointF(24, 52), QPointF(109, 52));
    });
    return picture;
}

QPixmap mainIllustration() {
    static const QPixmap picture = painted(600, 480, [](QPainter& p) {
        // A dawn sky: night blue overhead warming to gold at the horizon behind the clouds.
        wash(p, ramp({0, 0}, {0, 300},
                     {Stop(0.0, QColor(16, 30, 84)), Stop(0.3, QColor(58, 70, 140)),
                      Stop(0.55, QColor(168, 112, 150)), Stop(0.75, QColor(244, 156, 96)),
                      Stop(0.9, QColor(255, 214, 140)), Stop(1.0, QColor(255, 236, 190))}));
        const QPointF sun(418, 226);
        wash(p, glowAround(
                    sun, 200,
                    {Stop(0.0, QColor(255, 250, 220)), Stop(0.08, QColor(255, 236, 170, 230)),
                     Stop(0.35, QColor(255, 190, 110, 90)), Stop(1.0, QColor(255, 160, 90, 0))}));
        // Thin high streaks, lit from below.
        Scatter scatter(400);
        for (int i = 0; i < 7; ++i) {
            const QPointF at(scatter.between(0, 600), scatter.between(60, 200));
            puff(p, at, scatter.between(60, 130), scatter.between(3, 6),
                 QColor(255, 200, 170, static_cast<int>(scatter.between(40, 90))));
        }
        // The cloud sea: a sunlit deck whose heaped tops grow towards the viewer.
        QPolygonF deck{{0, 480}};
        for (int x = 0; x <= 600; x += 10)
            deck << QPointF(x, 254 + 4 * std::sin(x * 0.031) + 2 * std::sin(x * 0.087 + 1.0));
        p.fillPath(closedShape(deck << QPointF(600, 480)),
                   ramp({0, 245}, {0, 480},
                        {Stop(0.0, QColor(255, 214, 160)), Stop(0.25, QColor(214, 160, 160)),
                         Stop(1.0, QColor(100, 84, 124))}));
        for (double x = 10; x < 620; x += scatter.between(50, 110)) {
            const double h = scatter.between(10, 34);
            cloud(p, QPointF(x, 250 - h * 0.3), h * scatter.between(3.0, 5.0), h,
                  QColor(255, 226, 180, 230), QColor(200, 150, 160, 200), scatter);
        }
        for (double y = 252; y < 500; y += 5 + (y - 250) * 0.14) {
            const double depth = (y - 250) / 230.0;
            const double rx = 24 + 90 * depth;
            const QColor shade = blend(QColor(230, 172, 160, 200), QColor(92, 78, 118, 220), depth);
            const QColor lit = blend(QColor(255, 238, 204, 220), QColor(232, 178, 160, 210), depth);
            for (double x = scatter.between(-rx, 0); x < 600 + rx;
                 x += rx * scatter.between(0.7, 1.6)) {
                const double w = rx * scatter.between(0.6, 1.3);
                const double h = w * scatter.between(0.25, 0.42);
                const double top = y + h * scatter.between(-0.4, 0.4);
                puff(p, QPointF(x, top + h * 0.3), w, h, shade);
                puff(p, QPointF(x + w * 0.1, top - h * 0.25), w * 0.7, h * 0.6, lit);
            }
        }
        wash(p, glowAround(
                    sun, 280,
                    {Stop(0.0, QColor(255, 240, 200, 110)), Stop(1.0, QColor(255, 200, 150, 0))}));
        // The jet climbing out, its white paint warmed by the low sun.
        const Livery dawn{QColor(255, 238, 222), QColor(120, 106, 136), QColor(30, 50, 120),
                          QColor(214, 196, 196), QColor(90, 80, 104),   QColor(40, 30, 60, 200),
                          QColor(40, 40, 70)};
        paintSideJet(p, sideJetPose(QPointF(262, 118), 340, 7.0), dawn);
    });
    return picture;
}

QPixmap buttonImage(ButtonImage which) {
    static const std::array<QPixmap, 3> faces = {makeButton(QStringLiteral("Load Flight Plan")),
                                                 makeButton(QStringLiteral("Compile Adventure")),
                                                 makeButton(QStringLiteral("Exit"))};
    return faces[static_cast<std::size_t>(which)];
}

QIcon windowIcon() {
    static const QIcon icon = [] {
        QIcon result;
        for (const int size : {16, 32, 48, 64, 128, 256})
            result.addPixmap(makeIconFace(size));
        return result;
    }();
    return icon;
}

} // namespace ui::artwork
