#include "pictures/jets.h"

#include "pictures/paintkit.h"

#include <cmath>

namespace pictures::jets {

using paintkit::closedShape;
using paintkit::ramp;
using paintkit::Stop;

namespace {

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

} // namespace

// White and blue under a daytime sky.
const Livery daylight{QColor(252, 252, 255), QColor(168, 180, 200), QColor(24, 60, 140),
                      QColor(190, 196, 206), QColor(112, 124, 148), QColor(16, 28, 64, 200),
                      QColor(30, 40, 70)};

namespace {

const SideJet& sideJet() {
    static const SideJet jet = buildSideJet();
    return jet;
}

} // namespace

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

} // namespace pictures::jets
