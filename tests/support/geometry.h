#pragma once

#include <QRect>
#include <QtTest>

// A row of a window's layout: a control's name and its place in twips (left, top, width,
// height), as the window was drawn.
struct TwipsPlace {
    const char* name;
    int left, top, width, height;
};
