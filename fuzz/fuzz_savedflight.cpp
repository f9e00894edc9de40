// The saved flight reader, fed from memory into plain fields.
#include "flight/savedflightreader.h"
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
    const std::optional<QString> plan = flight::readSavedFlightLines(reader, fields);
    if (plan && plan->size() > 100) {
        __builtin_trap(); // the plan name is at most 100 characters
    }
    if (fields.text(flight::Field::Combo1).size() > 30) {
        __builtin_trap();
    }
    return 0;
}
