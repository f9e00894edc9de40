#include "textio/linewriter.h"

#include <cstring>
#include <QIODevice>

namespace textio {
namespace {
constexpr qsizetype kBlockSize = 256 * 1024;
}

LineWriter::LineWriter(QIODevice* device)
    : device_(device) {}

LineWriter::~LineWriter() = default;

void LineWriter::writeLine(QByteArrayView line) {
    append(line);
    append(QByteArrayView("\r\n", 2));
}

// Bytes are copied into the block, which goes to the device when full; bytes that would not fit
// an empty block go to the device directly.
void LineWriter::append(QByteArrayView bytes) {
    if (block_.isEmpty()) {
        block_.resize(kBlockSize);
    }
    if (used_ + bytes.size() > block_.size()) {
        flush();
        if (bytes.size() > block_.size()) {
            writeToDevice(bytes.data(), bytes.size());
            return;
        }
    }
    std::memcpy(block_.data() + used_, bytes.data(), static_cast<std::size_t>(bytes.size()));
    used_ += bytes.size();
}

void LineWriter::writeToDevice(const char* data, qsizetype size) {
    while (!failed_ && size > 0) {
        const qint64 written = device_->write(data, size);
        if (written <= 0) {
            failed_ = true;
            return;
        }
        data += written;
        size -= static_cast<qsizetype>(written);
    }
}

bool LineWriter::flush() {
    if (used_ > 0) {
        writeToDevice(block_.constData(), used_);
    }
    used_ = 0;
    return !failed_;
}

} // namespace textio
