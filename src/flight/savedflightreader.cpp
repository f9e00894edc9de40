#include "flight/savedflightreader.h"

#include "files/textfiles.h"
#include "params/fuel.h"
#include "textio/codepage.h"
#include "textio/keys.h"
#include "textio/numbers.h"

#include <array>
#include <cmath>

namespace flight {
namespace {

struct Tank {
    QByteArrayView key;
    double capacity;         // gallons
    double contribution = 0; // gallons; 0 until the tank's line is met
};

// The tanks in the order their keys are tested. The capacities add up to the full-tank capacity.
std::array<Tank, 6> tankTable() {
    return {{{"LeftMain=", 16715},
             {"RightMain=", 16715},
             {"LeftAux=", 500},
             {"Center=", 19545},
             {"RightAux=", 500},
             {"Center 2=", 3300}}};
}

constexpr qsizetype kValueLength = 30;
constexpr QByteArrayView kCentreKey = "Center=";

} // namespace

QString planNameFromLine(const QByteArray& planLine) {
    static const QByteArray kPrefix = "FILENAME=FLIGHTS\\MYFLTS\\";
    const qsizetype start = planLine.left(kPrefix.size()).toUpper() == kPrefix ? kPrefix.size() : 9;
    return textio::decode8bit(planLine.mid(start, 100));
}

// Sample of what is read (values are percent of each tank):
//   [GPS_Engine]
//   Filename=FLIGHTS\MYFLTS\KSEA-PANC
//   [Sim.0]
//   Aircraft=Boeing 747-400 Passengers
//   Center=45.000000
//   LeftMain=89.999992
std::optional<QString> ReadSavedFlight(const QString& savedFlightFolder, FlightFields& fields) {
    files::InputTextFile file(savedFlightFolder + QStringLiteral("Talvo.FLT"));
    if (!file.open()) {
        return std::nullopt;
    }
    return readSavedFlightLines(file.reader(), fields);
}

std::optional<QString> readSavedFlightLines(textio::LineReader& file, FlightFields& fields) {
    QString planName;
    std::array<Tank, 6> tanks = tankTable();
    QByteArray line;
    while (file.readLine(line)) {
        if (textio::matchesKey(line, "[GPS")) {
            // The plan line follows at once; rules below test it, not the section line.
            if (!file.readLine(line)) {
                return std::nullopt;
            }
            planName = planNameFromLine(line);
            fields.setText(Field::Text1, planName);
        }
        if (textio::matchesKey(line, "Aircraft=")) {
            fields.setText(Field::Combo1,
                           textio::decode8bit(textio::keyValue(line, 9, kValueLength)));
        }
        for (Tank& tank : tanks) {
            if (!textio::matchesKey(line, tank.key)) {
                continue;
            }
            const double level = std::floor(
                textio::lenientNumber(textio::keyValue(line, tank.key.size(), kValueLength)));
            if (!std::isfinite(level)) {
                return std::nullopt;
            }
            if (tank.key == kCentreKey) {
                fields.setText(Field::Text14, textio::wholeNumberText(level));
            }
            tank.contribution = level * tank.capacity / 100;
            if (!std::isfinite(tank.contribution)) {
                return std::nullopt;
            }
        }
        double sum = 0;
        for (const Tank& tank : tanks) {
            sum += tank.contribution;
        }
        if (!std::isfinite(sum)) {
            return std::nullopt;
        }
        fields.setText(Field::FuelOnBoard, textio::wholeNumberText(std::floor(sum)));
    }
    if (file.hasError()) {
        return std::nullopt;
    }
    // The file is read to its end; what follows reads the window only.
    const std::optional<double> fuel = textio::strictNumber(fields.text(Field::FuelOnBoard));
    if (!fuel) {
        return std::nullopt;
    }
    const double percent = std::floor(*fuel * 100 / params::kFullTankCapacity);
    if (!std::isfinite(percent)) {
        return std::nullopt;
    }
    fields.setText(Field::Text14, textio::wholeNumberText(percent));
    return planName;
}

} // namespace flight
