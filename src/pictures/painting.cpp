// Every picture the program shows, painted from scratch with QPainter: skies, clouds and a
// four-engined jumbo jet with its upper-deck hump.

#include "pictures/painting.h"

#include "pictures/jets.h"
#include "pictures/paintkit.h"

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

namespace pictures {
namespace {

using namespace paintkit;
using namespace jets;

// A 24-bit picture button face: a sky-blue bar with a thin darker frame and its red label.
QImage paintButton(const QString& label, qreal ratio) {
    return painted(129, 23, ratio, [&label](QPainter& p) {
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

QImage banner(qreal ratio) {
    return painted(356, 61, ratio, [](QPainter& p) {
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
}

QImage columnImage(qreal ratio) {
    return painted(133, 390, ratio, [](QPainter& p) {
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
}

QImage mainIllustration(qreal ratio) {
    return painted(600, 480, ratio, [](QPainter& p) {
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
}

} // namespace

QString pictureName(Picture which) {
    switch (which) {
    case Picture::Banner:
        return QStringLiteral("banner");
    case Picture::Column:
        return QStringLiteral("column");
    case Picture::MainIllustration:
        return QStringLiteral("main");
    case Picture::LoadFlightPlanButton:
        return QStringLiteral("button-load");
    case Picture::CompileAdventureButton:
        return QStringLiteral("button-compile");
    case Picture::ExitButton:
        return QStringLiteral("button-exit");
    }
    return {};
}

QImage paintPicture(Picture which, qreal ratio) {
    switch (which) {
    case Picture::Banner:
        return banner(ratio);
    case Picture::Column:
        return columnImage(ratio);
    case Picture::MainIllustration:
        return mainIllustration(ratio);
    case Picture::LoadFlightPlanButton:
        return paintButton(QStringLiteral("Load Flight Plan"), ratio);
    case Picture::CompileAdventureButton:
        return paintButton(QStringLiteral("Compile Adventure"), ratio);
    case Picture::ExitButton:
        return paintButton(QStringLiteral("Exit"), ratio);
    }
    return {};
}

// A white jet seen from below, banking across a rounded sky tile.
QImage paintIconFace(int size) {
    static const QPainterPath jet = planJet();
    return painted(
        size, size, 1.0,
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

} // namespace pictures
