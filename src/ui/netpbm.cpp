#include "ui/netpbm.h"

#include <cctype>
#include <charconv>
#include <QByteArrayView>

namespace ui {
namespace {

// The header's words, one after another: whitespace separates them, '#' begins a comment that
// runs to the end of its line.
class HeaderWords {
public:
    HeaderWords(const uchar* data, qsizetype size)
        : at_(reinterpret_cast<const char*>(data))
        , end_(at_ + size) {}

    QByteArrayView next() {
        while (at_ != end_ && (isSpace(*at_) || *at_ == '#')) {
            if (*at_ == '#') {
                while (at_ != end_ && *at_ != '\n') {
                    ++at_;
                }
            } else {
                ++at_;
            }
        }
        const char* begin = at_;
        while (at_ != end_ && !isSpace(*at_)) {
            ++at_;
        }
        return QByteArrayView(begin, at_ - begin);
    }

    // The pixels begin after the one whitespace byte that ends the header.
    const char* pixels() const { return at_ == end_ ? end_ : at_ + 1; }
    qsizetype left() const { return end_ - pixels(); }

private:
    static bool isSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

    const char* at_;
    const char* end_;
};

// A width, a height or a sample's largest value: a decimal number from 1 to 65535.
int number(QByteArrayView word) {
    int value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size() && value > 0 && value <= 65535
               ? value
               : 0;
}

} // namespace

QImage netpbmImage(const uchar* data, qsizetype size) {
    HeaderWords words(data, size);
    const QByteArrayView magic = words.next();
    int width = 0, height = 0, depth = 0, maxValue = 0;
    if (magic == "P6") {
        width = number(words.next());
        height = number(words.next());
        maxValue = number(words.next());
        depth = 3;
    } else if (magic == "P7") {
        QByteArrayView tupleType;
        for (QByteArrayView key = words.next(); key != "ENDHDR"; key = words.next()) {
            const QByteArrayView value = words.next();
            if (key.isEmpty() || value.isEmpty()) {
                return {};
            }
            if (key == "WIDTH") {
                width = number(value);
            } else if (key == "HEIGHT") {
                height = number(value);
            } else if (key == "DEPTH") {
                depth = number(value);
            } else if (key == "MAXVAL") {
                maxValue = number(value);
            } else if (key == "TUPLTYPE") {
                tupleType = value;
            }
        }
        if (tupleType != "RGB_ALPHA" || depth != 4) {
            return {};
        }
    } else {
        return {};
    }
    if (width == 0 || height == 0 || maxValue != 255) {
        return {};
    }
    const qsizetype bytesPerLine = qsizetype(width) * depth;
    if (words.left() < bytesPerLine * height) {
        return {};
    }
    return QImage(reinterpret_cast<const uchar*>(words.pixels()), width, height, bytesPerLine,
                  depth == 3 ? QImage::Format_RGB888 : QImage::Format_RGBA8888);
}

} // namespace ui
