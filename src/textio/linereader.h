#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

namespace textio {

// Reads an 8-bit text file one line at a time, without the line ends. A line ends with CR LF or
// with a lone LF; a CR that is not followed by LF belongs to the line. A last line without a
// line end is still a line, and an empty file has no lines. The device is read in large blocks,
// so a file of any size is streamed with a small, bounded amount of memory.
//
// Saved flights, flight plans and script templates are small: the longest real lines are a few
// hundred bytes and the largest plans a few megabytes. A line longer than kMaxLineLength, or more
// than kMaxFileSize bytes in all, is no such file (a stray binary, an endless device, a file that
// keeps growing): the reader stops there with an error instead of filling memory or disk.
class LineReader {
public:
    static constexpr qsizetype kMaxLineLength = 16 * 1024 * 1024;
    static constexpr qint64 kMaxFileSize = qint64(1024) * 1024 * 1024;

    enum class Error {
        None,
        ReadFailed,   // a read of the device failed
        LineTooLong,  // a line beyond kMaxLineLength
        FileTooLarge, // more than kMaxFileSize bytes
    };

    // The bounds may be set lower, for tests.
    struct Limits {
        qsizetype lineLength = kMaxLineLength;
        qint64 fileSize = kMaxFileSize;
    };

    explicit LineReader(QIODevice* device)
        : LineReader(device, Limits{}) {}
    LineReader(QIODevice* device, Limits limits);

    // Takes the next line into line; false when no line is left or the reading stopped on an
    // error (line is then empty).
    bool readLine(QByteArray& line);

    // True when the reading stopped on an error; the lines before it were delivered.
    bool hasError() const { return error_ != Error::None; }
    Error error() const { return error_; }
    // The error in words for the pilot ("it holds a line longer than 16 MiB ..."); empty
    // without an error.
    QString errorString() const;
    static QString describe(Error error);

private:
    bool fill();
    void take(QByteArray& line, qsizetype end) const;
    bool stop(Error error);

    QIODevice* device_;
    Limits limits_;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    qint64 consumed_ = 0; // bytes read from the device so far
    bool eof_ = false;
    Error error_ = Error::None;
};

} // namespace textio
