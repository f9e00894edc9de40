// The line reader, and lenient and strict number reading of every line it gives.
#include "textio/codepage.h"
#include "textio/linereader.h"
#include "textio/linewriter.h"
#include "textio/numbers.h"

#include <cmath>
#include <cstdint>
#include <QBuffer>
#include <QLocale>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    textio::LineReader reader(&in);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    textio::LineWriter writer(&out);
    static const QLocale german(QLocale::German, QLocale::Germany);
    QByteArray line;
    qsizetype lines = 0;
    while (reader.readLine(line)) {
        ++lines;
        if (line.contains('\n')) {
            __builtin_trap(); // a line never holds its line end
        }
        const double lenient = textio::lenientNumber(line);
        if (std::isnan(lenient)) {
            __builtin_trap();
        }
        const QString text = textio::decode8bit(line);
        if (textio::encode8bit(text) != line || textio::lenientNumber(text) != lenient) {
            __builtin_trap();
        }
        if (std::isfinite(lenient)) {
            const QString whole = textio::wholeNumberText(std::floor(lenient));
            if (textio::lenientNumber(whole) != std::floor(lenient) + 0.0) {
                __builtin_trap(); // whole numbers are written so they read back the same
            }
            (void)textio::numberText(lenient, german);
        }
        if (const std::optional<double> strict = textio::strictNumber(text, german)) {
            if (!std::isfinite(*strict)) {
                __builtin_trap();
            }
        }
        writer.writeLine(line);
    }
    writer.flush();
    // Writing the lines back and reading them again gives the same lines.
    QBuffer again;
    again.setData(out.data());
    again.open(QIODevice::ReadOnly);
    textio::LineReader second(&again);
    qsizetype secondLines = 0;
    while (second.readLine(line)) {
        ++secondLines;
    }
    if (secondLines != lines) {
        __builtin_trap();
    }
    return 0;
}
