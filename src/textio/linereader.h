#pragma once

#include <QByteArray>

class QIODevice;

namespace textio {

// Reads an 8-bit text file one line at a time, without the line ends. A line ends with CR LF or
// with a lone LF; a CR that is not followed by LF belongs to the line. A last line without a
// line end is still a line, and an empty file has no lines. The device is read in large blocks,
// so a file of any size is streamed with a small, fixed amount of memory.
class LineReader {
public:
    explicit LineReader(QIODevice* device);

    // Takes the next line into line; false when no line is left (line is then empty).
    bool readLine(QByteArray& line);

    // True when a read of the device failed; the lines before the failure were delivered.
    bool hasError() const { return error_; }

private:
    bool fill();
    void take(QByteArray& line, qsizetype end) const;

    QIODevice* device_;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    bool eof_ = false;
    bool error_ = false;
};

} // namespace textio
