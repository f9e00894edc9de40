#pragma once

#include <QString>

// The upper limits of the fields the pilot edits on the compiler window.
namespace params {

enum class LimitedField { FuelPercent, CruisingAltitude, V1, Vr, V2 };

struct FieldLimit {
    double limit;
    const char* message; // shown to the pilot when an entry is refused
};

const FieldLimit& limitOf(LimitedField field);

// What the change handler of a limited field does with the field's new text.
struct LimitVerdict {
    bool refused = false;
    QString message;   // when refused: the message for the pilot
    QString resetText; // when refused: the text put back into the field, the limit itself
};

// The text is read leniently. A value above the limit is refused (a value equal to it passes).
// So is a number beyond the range of a double, in either direction: it is no value the compile
// could write, and the lenient reading gives it as infinity. For the fuel percentage, a value
// whose fuel on board would leave the range of a double is refused the same way.
// There is no lower limit: empty, non-numeric and negative entries pass.
LimitVerdict checkLimit(LimitedField field, const QString& text);

} // namespace params
