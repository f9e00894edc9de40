// The flight plan reader, fed from memory into plain fields, then the take-off speeds.
#include "flight/flightplanreader.h"
#include "fuzzfields.h"
#include "textio/linereader.h"

#include <cstdint>
#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QBuffer in;
    in.setData(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    in.open(QIODevice::ReadOnly);
    textio::LineReader reader(&in);
    FuzzFields fields;
    fields.setText(flight::Field::FuelOnBoard, QStringLiteral("28637"));
    if (flight::readFlightPlanLines(reader, fields)) {
        if (!flight::setTakeoffSpeeds(fields) ||
            fields.text(flight::Field::V1) != QLatin1String("141")) {
            __builtin_trap();
        }
    }
    if (fields.text(flight::Field::Text2).size() > 4 ||
        fields.text(flight::Field::Text6).size() > 40) {
        __builtin_trap();
    }
    return 0;
}
