#pragma once

#include <QString>

namespace flight {

// The fields of the compiler window, named as on the window: they are the only store of the
// values of the workflow. The flight load writes them; the parameter rules and the compile read
// them.
enum class Field {
    Text1,       // flight plan name
    Text3,       // route type
    Text5,       // departure position
    Text6,       // departure airport name
    Text7,       // arrival airport name
    Text2,       // departure airport identifier
    Text12,      // departure airport altitude
    Text10,      // arrival airport identifier
    Text11,      // arrival airport altitude
    Combo1,      // aircraft
    Text14,      // total fuel, percent of full tanks
    FuelOnBoard, // fuel on board, gallons
    Text4,       // cruising altitude, feet
    V1,
    Vr,
    V2,
};

class FlightFields {
public:
    virtual ~FlightFields() = default;
    virtual QString text(Field field) const = 0;
    // Changes the text of a field. The field's change handling (limits, fuel and speeds) runs to
    // its end before this returns, and may itself change fields.
    virtual void setText(Field field, const QString& text) = 0;
};

} // namespace flight
