#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Window layouts are given in twips, 15 twips to a pixel at 96 dots per inch.
namespace ui {

constexpr int kTwipsPerPixel = 15;

constexpr int pixels(int twips) {
    // Rounded to the nearest pixel, halves away from zero.
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

constexpr QRect twipsRect(int left, int top, int width, int height) {
    return QRect(pixels(left), pixels(top), pixels(width), pixels(height));
}

constexpr QSize twipsSize(int width, int height) {
    return QSize(pixels(width), pixels(height));
}

constexpr QPoint twipsPoint(int x, int y) {
    return QPoint(pixels(x), pixels(y));
}

} // namespace ui
