#pragma once

#include <QByteArray>
#include <QByteArrayView>

class QIODevice;

namespace textio {

// Writes lines to a device, each followed by CR LF, in large blocks.
class LineWriter {
public:
    explicit LineWriter(QIODevice* device);
    ~LineWriter();
    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;

    void writeLine(QByteArrayView line);

    // Hands what is pending to the device; false when a write failed (now or before).
    bool flush();

private:
    void append(QByteArrayView bytes);

    QIODevice* device_;
    QByteArray block_; // the block being filled, allocated on the first line
    qsizetype used_ = 0;
    bool failed_ = false;
};

} // namespace textio
