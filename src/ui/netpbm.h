#pragma once

#include <QImage>

namespace ui {

// The image of a binary PPM file (P6: red, green, blue) or PAM file (P7 with TUPLTYPE RGB_ALPHA:
// red, green, blue, alpha), 8 bits a sample, held in memory: a QImage over those very bytes, which
// must stay as they are while the image or a copy of it lives (a converted copy has pixels of its
// own). A null image when the bytes are no such file, or too few for the picture they announce.
QImage netpbmImage(const uchar* data, qsizetype size);

} // namespace ui
