#include "compiler/adventureflightwriter.h"

#include "textio/keys.h"
#include "textio/linereader.h"
#include "textio/linewriter.h"

#include <array>

namespace compiler {

const char* const kCreditSentence =
    " Created with MERIDO Ver. 1.0 - Talvo 2003, the adventure compiler for the Boeing 747-400.";

QByteArray descriptionLine(const AdventureValues& values) {
    return "Description=" + lineBytes(values.routeType) + " Flight from " +
           lineBytes(values.departureName) + " To " + lineBytes(values.arrivalName) + " at " +
           lineBytes(values.cruisingAltitude) + " feet" +
           ". Aircraft used: " + lineBytes(values.aircraft) + kCreditSentence;
}

namespace {

// One pass over the saved flight. Each rule tests the current line in turn; a rule that fires
// writes its lines and takes the next input line as the current one, which the later rules then
// test. When the input runs out inside a rule, the pass ends there.
class FlightRewriter {
public:
    FlightRewriter(textio::LineReader& in, textio::LineWriter& out, const AdventureValues& values)
        : in_(in)
        , out_(out)
        , engineOff_(values.engineOff)
        , title_("Title=" + lineBytes(values.planName))
        , description_(descriptionLine(values))
        , aircraft_("Aircraft=" + lineBytes(values.aircraft))
        , tankLines_(tankLines(lineBytes(values.fuelPercent)))
        , scriptReference_("ABLSCRIPT=LIB\\" + lineBytes(values.planName)) {}

    // False when no reference to the script was written.
    bool run() {
        bool referenced = false;
        while (in_.readLine(line_)) {
            if (!applyRules()) {
                return referenced;
            }
            out_.writeLine(line_);
            if (textio::matchesKey(line_, "[Main]")) {
                out_.writeLine(scriptReference_);
                referenced = true;
            }
        }
        return referenced;
    }

private:
    // False when the input ended inside a rule.
    bool applyRules() {
        if (textio::matchesKey(line_, "Title=") && !replaceWith(title_)) {
            return false;
        }
        if (textio::matchesKey(line_, "Description=") && !replaceWith(description_)) {
            return false;
        }
        if (textio::matchesKey(line_, "[GPS") && !passGpsSection()) {
            return false;
        }
        if (textio::matchesKey(line_, "Center=") && !rewriteTanks()) {
            return false;
        }
        if (textio::matchesKey(line_, "Aircraft=") && !replaceWith(aircraft_)) {
            return false;
        }
        if (engineOff_) {
            if (textio::matchesKey(line_, "Pct Engine RPM=") &&
                !replaceWith("Pct Engine RPM=0.000000")) {
                return false;
            }
            if (textio::matchesKey(line_, "BatterySwitch=") &&
                !replaceWith("BatterySwitch=FALSE")) {
                return false;
            }
            if (textio::matchesKey(line_, "AvionicsSwitch=") &&
                !replaceWith("AvionicsSwitch=FALSE")) {
                return false;
            }
        }
        return true;
    }

    bool next() { return in_.readLine(line_); }

    bool replaceWith(QByteArrayView replacement) {
        out_.writeLine(replacement);
        return next();
    }

    // The section line and the plan line after it go out untouched.
    bool passGpsSection() {
        out_.writeLine(line_);
        if (!next()) {
            return false;
        }
        out_.writeLine(line_);
        return next();
    }

    // Sample of the tank block, which is taken by position, whatever the keys after "Center=":
    //   Center=45.000000      ->  Center=<fuel>
    //   LeftMain=89.999992    ->  LeftMain=<fuel>
    //   RightMain=89.999992   ->  RightMain=<fuel>
    //   LeftAux=100.000000    ->  LeftAux=<fuel>
    //   RightAux=100.000000   ->  RightAux=<fuel>
    //   LeftTip=0.000000      ->  (dropped)
    //   RightTip=0.000000     ->  RightTip=0.000000
    //   Center 2=50.000000    ->  Center 2=50.000000, then Center2=<fuel>
    bool rewriteTanks() {
        for (std::size_t position = 0; position < 8; ++position) {
            if (position > 0 && !next()) {
                return false;
            }
            if (position < 5) {
                out_.writeLine(tankLines_[position]);
            } else if (position > 5) {
                out_.writeLine(line_);
            }
        }
        out_.writeLine(tankLines_[5]);
        return next();
    }

    // The five tank lines of the fixed order, then "Center2=", each with the fuel percentage.
    static std::array<QByteArray, 6> tankLines(const QByteArray& fuel) {
        std::array<QByteArray, 6> lines = {
            "Center=", "LeftMain=", "RightMain=", "LeftAux=", "RightAux=", "Center2="};
        for (QByteArray& line : lines) {
            line += fuel;
        }
        return lines;
    }

    textio::LineReader& in_;
    textio::LineWriter& out_;
    const bool engineOff_;
    const QByteArray title_;
    const QByteArray description_;
    const QByteArray aircraft_;
    const std::array<QByteArray, 6> tankLines_;
    const QByteArray scriptReference_;
    QByteArray line_;
};

} // namespace

bool writeAdventureFlightLines(textio::LineReader& in, textio::LineWriter& out,
                               const AdventureValues& values) {
    return FlightRewriter(in, out, values).run();
}

} // namespace compiler
