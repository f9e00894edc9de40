#include "textio/linewriter.h"

#include <QIODevice>

namespace textio {
namespace {
constexpr qsizetype kBlockSize = 256 * 1024;
}

LineWriter::LineWriter(QIODevice* device)
    : device_(device) {
    pending_.reserve(kBlockSize + 4096);
}

LineWriter::~LineWriter() = default;

void LineWriter::writeLine(QByteArrayView line) {
    pending_.append(line.data(), line.size());
    pending_.append("\r\n", 2);
    if (pending_.size() >= kBlockSize) {
        flush();
    }
}

bool LineWriter::flush() {
    if (!failed_ && !pending_.isEmpty()) {
        failed_ = device_->write(pending_) != pending_.size();
    }
    pending_.clear();
    return !failed_;
}

} // namespace textio
