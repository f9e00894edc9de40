#pragma once

// The jumbo jet of the program's pictures: seen from the side with its upper-deck hump and four
// engines, and seen from below for the window icon.

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

namespace pictures::jets {

// How a side-view jet is painted: bright body, coloured trim, darker belly and engines.
struct Livery {
    QColor crown, belly, trim, engine, far, outline, windows;
};

// White and blue under a daytime sky.
extern const Livery daylight;

// Where the side-view jet sits, from its own units to picture pixels: centred on 'centre',
// pitched 'climb' degrees nose up and 'length' pixels from nose to tail.
QTransform sideJetPose(QPointF centre, double length, double climb);

// A contrail streaming straight back from 'from' (in the jet's own units) for 'reach' pixels.
void contrail(QPainter& p, const QTransform& pose, QPointF from, double reach, double width,
              int alpha);

void paintSideJet(QPainter& p, const QTransform& pose, const Livery& look);

// The jumbo jet seen from below, nose up (towards -y), about 100 units long and 92 wide.
QPainterPath planJet();

} // namespace pictures::jets
