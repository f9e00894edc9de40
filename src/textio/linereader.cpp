#include "textio/linereader.h"

#include <cstring>
#include <QIODevice>

namespace textio {
namespace {
constexpr qsizetype kBlockSize = 256 * 1024;
constexpr qsizetype kSmallBlock = 4096;
} // namespace

LineReader::LineReader(QIODevice* device)
    : device_(device) {}

bool LineReader::fill() {
    if (eof_) {
        return false;
    }
    if (pos_ > 0) {
        buffer_.remove(0, pos_);
        pos_ = 0;
    }
    const qsizetype kept = buffer_.size();
    // A small file is read in one small block; a large one in large blocks.
    const qsizetype block =
        qBound(kSmallBlock, static_cast<qsizetype>(device_->bytesAvailable()) + 1, kBlockSize);
    buffer_.resize(kept + block);
    const qint64 got = device_->read(buffer_.data() + kept, block);
    if (got <= 0) {
        buffer_.resize(kept);
        eof_ = true;
        error_ = got < 0;
        return false;
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
    if (pos_ < buffer_.size()) {
        take(line, buffer_.size());
        pos_ = buffer_.size();
        return true;
    }
    line.clear();
    return false;
}

} // namespace textio
