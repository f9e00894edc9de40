#pragma once

#include "flight/flightfields.h"

#include <array>
#include <cmath>
#include <QString>

// The compiler window's fields as plain texts, for the fuzzers. The fields that hold numbers
// must be given finite numbers, never "inf", "nan" or anything else.
class FuzzFields : public flight::FlightFields {
public:
    QString text(flight::Field field) const override {
        return texts_[static_cast<std::size_t>(field)];
    }
    void setText(flight::Field field, const QString& text) override {
        using flight::Field;
        switch (field) {
        case Field::Text12:
        case Field::Text11:
        case Field::Text14:
        case Field::FuelOnBoard:
        case Field::Text4:
        case Field::V1:
        case Field::Vr:
        case Field::V2: {
            bool ok = false;
            const double value = text.toDouble(&ok);
            if (!ok || !std::isfinite(value)) {
                __builtin_trap();
            }
            break;
        }
        default:
            break;
        }
        texts_[static_cast<std::size_t>(field)] = text;
    }

private:
    std::array<QString, 16> texts_;
};
