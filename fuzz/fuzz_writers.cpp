// The adventure flight writer and the flight plan's cruising-altitude rewrite. The first byte
// chooses the engine option; the fuel percentage and the altitude come from the next bytes.
#include "compiler/adventureflightwriter.h"
#include "compiler/planaltitude.h"
#include "support/files.h"
#include "textio/linereader.h"
#include "textio/linewriter.h"

#include <cstdint>
#include <QBuffer>

namespace {

qsizetype countLines(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    textio::LineReader reader(&buffer);
    QByteArray line;
    qsizetype lines = 0;
    while (reader.readLine(line)) {
        ++lines;
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    compiler::AdventureValues values;
    values.engineOff = (data[0] & 1) != 0;
    values.planName = QStringLiteral("KSEA-PANC");
    values.aircraft = QStringLiteral("Boeing 747-400");
    values.fuelPercent = QString::number(data[1]);
    values.cruisingAltitude = QString::number(data[2] * 200);
    const QByteArray input(reinterpret_cast<const char*>(data) + 3,
                           static_cast<qsizetype>(size - 3));
    const qsizetype inputLines = countLines(input);

    const QByteArray flight =
        throughLines(input, [&](textio::LineReader& in, textio::LineWriter& out) {
            compiler::writeAdventureFlightLines(in, out, values);
        });
    // At most one line is added for each input line ("ABLSCRIPT=" after "[Main]", "Center2="
    // for the dropped tank line), and every line written ends with CR LF.
    if (countLines(flight) > 2 * inputLines || (!flight.isEmpty() && !flight.endsWith("\r\n"))) {
        __builtin_trap();
    }
    const QByteArray altitude = values.cruisingAltitude.toLatin1();
    const QByteArray plan =
        throughLines(input, [&](textio::LineReader& in, textio::LineWriter& out) {
            compiler::rewriteCruisingAltitude(in, out, altitude);
        });
    if (countLines(plan) != inputLines) {
        __builtin_trap(); // the plan keeps its number of lines
    }
    return 0;
}
