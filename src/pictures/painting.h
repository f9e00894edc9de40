#pragma once

// Every picture the program shows, painted in code with QPainter. The program itself does not
// paint them: the build runs render-pictures, which paints each one into the program's resources
// (ui/artwork.h loads them from there).

#include <array>
#include <QImage>
#include <QString>

namespace pictures {

enum class Picture {
    Banner,           // the product name "Talvo 2003", 356 x 61
    Column,           // the left-hand column image, 133 x 390
    MainIllustration, // the main illustration, 600 x 480
    LoadFlightPlanButton,
    CompileAdventureButton,
    ExitButton, // the picture buttons' faces, 129 x 23
};

inline constexpr std::array kPictures = {Picture::Banner,
                                         Picture::Column,
                                         Picture::MainIllustration,
                                         Picture::LoadFlightPlanButton,
                                         Picture::CompileAdventureButton,
                                         Picture::ExitButton};

// The window icon's sizes, in pixels.
inline constexpr std::array kIconSizes = {16, 32, 48, 64, 128, 256};

// The picture's name in the program's resources, without scale or suffix ("banner").
QString pictureName(Picture which);

// The picture with ratio times as many pixels each way as at the normal scale, and that device
// pixel ratio (ratio 1 or 2). Opaque (QImage::Format_RGB32). The fonts the picture names must
// have their stand-ins (ui/fontsubstitutes.h) before.
QImage paintPicture(Picture which, qreal ratio);

// The window icon at one size: size x size pixels with an alpha channel.
QImage paintIconFace(int size);

} // namespace pictures
