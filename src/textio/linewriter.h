#pragma once

#include <QByteArray>
#include <QByteArrayView>

class QIODevice;

namespace textio {

// Writes lines to a device, each followed by CR LF, in large blocks. Every byte handed to the
// device is checked: a write that takes only part of a block is continued until the device takes
// the rest or reports why it cannot (a full disk reports "No space left on device" only on the
// write after the one that filled it).
class LineWriter {
public:
    explicit LineWriter(QIODevice* device);
    ~LineWriter();
    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;

    void writeLine(QByteArrayView line);

    // Hands what is pending to the device; false when a write failed (now or before).
    bool flush();
    bool hasFailed() const { return failed_; }

private:
    void append(QByteArrayView bytes);
    void writeToDevice(const char* data, qsizetype size);

    QIODevice* device_;
    QByteArray block_; // the block being filled, allocated on the first line
    qsizetype used_ = 0;
    bool failed_ = false;
};

} // namespace textio
