#include "textio/linereader.h"

#include <cstring>
#include <QIODevice>
#include <QString>

namespace textio {
namespace {
constexpr qsizetype kBlockSize = 256 * 1024;
constexpr qsizetype kSmallBlock = 4096;
} // namespace

LineReader::LineReader(QIODevice* device, Limits limits)
    : device_(device)
    , limits_(limits) {}

QString LineReader::errorString() const {
    if (error_ == Error::ReadFailed && !device_->errorString().isEmpty()) {
        return device_->errorString();
    }
    return describe(error_);
}

QString LineReader::describe(Error error) {
    switch (error) {
    case Error::None:
        return QString();
    case Error::ReadFailed:
        return QStringLiteral("read error");
    case Error::LineTooLong:
        return QStringLiteral("it holds a line longer than %1 MiB, so it is no text file of the "
                              "simulator")
            .arg(kMaxLineLength / (1024 * 1024));
    case Error::FileTooLarge:
        return QStringLiteral("it is larger than %1 GiB, so it is no text file of the simulator")
            .arg(kMaxFileSize / (1024 * 1024 * 1024));
    }
    return QString();
}

bool LineReader::stop(Error error) {
    error_ = error;
    eof_ = true;
    buffer_.clear();
    buffer_.squeeze();
    pos_ = 0;
    return false;
}

bool LineReader::fill() {
    if (eof_) {
        return false;
    }
    if (pos_ > 0) {
        buffer_.remove(0, pos_);
        pos_ = 0;
    }
    const qsizetype kept = buffer_.size();
    if (kept > limits_.lineLength + 1) { // + 1: the CR of a CR LF still to come
        return stop(Error::LineTooLong);
    }
    // A small file is read in one small block; a large one in large blocks.
    const qsizetype block =
        qBound(kSmallBlock, static_cast<qsizetype>(device_->bytesAvailable()) + 1, kBlockSize);
    buffer_.resize(kept + block);
    const qint64 got = device_->read(buffer_.data() + kept, block);
    if (got <= 0) {
        buffer_.resize(kept);
        eof_ = true;
        if (got < 0) {
            return stop(Error::ReadFailed);
        }
        return false;
    }
    consumed_ += got;
    if (consumed_ > limits_.fileSize) {
        return stop(Error::FileTooLarge);
    }
    buffer_.resize(kept + static_cast<qsizetype>(got));
    return true;
}

// Copies the bytes from the read position to end into line, reusing line's memory.
void LineReader::take(QByteArray& line, qsizetype end) const {
    const qsizetype size = end - pos_;
    line.resize(size);
    std::memcpy(line.data(), buffer_.constData() + pos_, static_cast<std::size_t>(size));
}

bool LineReader::readLine(QByteArray& line) {
    qsizetype searchFrom = pos_;
    for (;;) {
        const qsizetype newline = buffer_.indexOf('\n', searchFrom);
        if (newline >= 0) {
            qsizetype end = newline;
            if (end > pos_ && buffer_[end - 1] == '\r') {
                --end;
            }
            if (end - pos_ > limits_.lineLength) {
                line.clear();
                return stop(Error::LineTooLong);
            }
            take(line, end);
            pos_ = newline + 1;
            return true;
        }
        const qsizetype scanned = buffer_.size() - pos_;
        if (!fill()) {
            break;
        }
        searchFrom = pos_ + scanned;
    }
    if (hasError()) {
        line.clear();
        return false;
    }
    if (pos_ < buffer_.size()) {
        if (buffer_.size() - pos_ > limits_.lineLength) {
            line.clear();
            return stop(Error::LineTooLong);
        }
        take(line, buffer_.size());
        pos_ = buffer_.size();
        return true;
    }
    line.clear();
    return false;
}

} // namespace textio
