#include "flight/flightplanreader.h"

#include "files/textfiles.h"
#include "params/fuel.h"
#include "textio/codepage.h"
#include "textio/keys.h"
#include "textio/numbers.h"

#include <array>
#include <cmath>
#include <optional>

namespace flight {
namespace {

enum class ValueKind {
    Text,    // shown as it stands
    Number,  // read leniently, shown as a number
    Airport, // the identifier; then the altitude at the end of the line into altitudeField
};

struct PlanKey {
    QByteArrayView key;
    qsizetype maxLength;
    Field field;
    ValueKind kind;
    Field altitudeField = Field::Text12;
};

// Tested in this order against every line of the plan.
constexpr std::array<PlanKey, 7> kPlanKeys = {{
    {"type=", 10, Field::Text3, ValueKind::Text},
    {"cruising_altitude=", 5, Field::Text4, ValueKind::Number},
    {"departure_position=", 40, Field::Text5, ValueKind::Text},
    {"departure_name=", 40, Field::Text6, ValueKind::Text},
    {"destination_name=", 40, Field::Text7, ValueKind::Text},
    {"departure_id=", 4, Field::Text2, ValueKind::Airport, Field::Text12},
    {"destination_id=", 4, Field::Text10, ValueKind::Airport, Field::Text11},
}};

// The airport's altitude stands at the end of its identifier line: the 8 characters that begin
// at the tenth character from the end ("+000433." of "... +000433.00"), taken by position
// whatever they hold, read leniently and rounded down.
std::optional<QString> altitudeAtLineEnd(const QByteArray& line) {
    const qsizetype start = qMax<qsizetype>(line.size() - 10, 0);
    const double altitude = std::floor(textio::lenientNumber(line.mid(start, 8)));
    if (!std::isfinite(altitude)) {
        return std::nullopt;
    }
    return textio::wholeNumberText(altitude);
}

} // namespace

bool ReadFlightPlan(const QString& savedFlightFolder, const QString& planName,
                    FlightFields& fields) {
    {
        files::InputTextFile file(savedFlightFolder + planName + QStringLiteral(".pln"));
        if (!file.open() || !readFlightPlanLines(file.reader(), fields)) {
            return false;
        }
    }
    return setTakeoffSpeeds(fields);
}

// Sample of what is read:
//   type=IFR
//   cruising_altitude=35000
//   departure_id=KSEA, N47* 26.97', W122* 18.55', +000433.00
//   departure_position=16L
//   destination_id=PANC, N61* 10.44', W149* 59.90', +000152.00
//   departure_name=SEATTLE-TACOMA INTL
//   destination_name=TED STEVENS ANCHORAGE INTL
bool readFlightPlanLines(textio::LineReader& plan, FlightFields& fields) {
    QByteArray line;
    while (plan.readLine(line)) {
        for (const PlanKey& key : kPlanKeys) {
            if (!textio::matchesKey(line, key.key)) {
                continue;
            }
            const QByteArray value = textio::keyValue(line, key.key.size(), key.maxLength);
            if (key.kind == ValueKind::Number) {
                const double number = textio::lenientNumber(value);
                if (!std::isfinite(number)) {
                    return false;
                }
                fields.setText(key.field, textio::numberText(number));
                continue;
            }
            fields.setText(key.field, textio::decode8bit(value));
            if (key.kind == ValueKind::Airport) {
                const std::optional<QString> altitude = altitudeAtLineEnd(line);
                if (!altitude) {
                    return false;
                }
                fields.setText(key.altitudeField, *altitude);
            }
        }
    }
    return !plan.hasError();
}

bool setTakeoffSpeeds(FlightFields& fields) {
    const std::optional<double> fuel = textio::strictNumber(fields.text(Field::FuelOnBoard));
    if (!fuel) {
        return false;
    }
    const params::TakeoffSpeeds speeds = params::ComputeTakeoffSpeeds(*fuel);
    if (!std::isfinite(speeds.v1) || !std::isfinite(speeds.vr) || !std::isfinite(speeds.v2)) {
        return false;
    }
    fields.setText(Field::V1, textio::wholeNumberText(speeds.v1));
    fields.setText(Field::Vr, textio::wholeNumberText(speeds.vr));
    fields.setText(Field::V2, textio::wholeNumberText(speeds.v2));
    return true;
}

} // namespace flight
