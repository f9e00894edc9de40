#include "rehearsal/rehearsal.h"

#include "rehearsal/interpreter.h"
#include "rehearsal/roles.h"

#include <algorithm>

namespace rehearsal {

bool Rehearsal::keepsEveryRule() const {
    if (!problem.isEmpty()) {
        return false;
    }
    for (const FlightRehearsal& flight : flights) {
        if (!flight.broken.empty()) {
            return false;
        }
    }
    return true;
}

Rehearsal rehearse(QByteArrayView script) {
    Rehearsal result;
    const Roles roles = placeRoles(script);
    if (!roles.problem.isEmpty()) {
        result.problem = roles.problem;
        return result;
    }
    // The six lines stand in the main body: one run at the gate gives the speeds and options.
    Interpreter probe(script, roles.names);
    if (!probe.run(Sample{})) {
        result.problem = probe.problem();
        return result;
    }
    auto number = [&probe](const char* name) {
        const std::optional<Value> v = probe.variable(QString::fromLatin1(name));
        return v ? v->number : 0.0;
    };
    result.settings = {number("nV1"),           number("nVr"),
                       number("nV2"),           number("CallSpeed") == 1,
                       number("CallList") == 1, number("RateFlight") == 1};
    for (Flight& flight :
         builtInFlights(result.settings.v1, result.settings.vr, result.settings.v2)) {
        Interpreter interpreter(script, roles.names);
        for (const Sample& sample : flight.samples) {
            if (!interpreter.run(sample)) {
                result.problem = QStringLiteral("%1 (flight \"%2\", at %3 s)")
                                     .arg(interpreter.problem(), flight.name)
                                     .arg(sample.time, 0, 'f', 2);
                return result;
            }
        }
        FlightRehearsal rehearsed{std::move(flight), interpreter.records(), {}};
        std::vector<Record> texts;
        for (const Record& record : rehearsed.records) {
            if (!record.text.startsWith(QLatin1String("sound: "))) {
                texts.push_back(record);
            }
        }
        rehearsed.broken = speedCallRules(rehearsed.flight, texts, result.settings);
        for (BrokenRule& rule : optionRules(rehearsed.flight, texts, result.settings)) {
            rehearsed.broken.push_back(std::move(rule));
        }
        std::stable_sort(rehearsed.broken.begin(), rehearsed.broken.end(),
                         [](const BrokenRule& a, const BrokenRule& b) { return a.time < b.time; });
        result.flights.push_back(std::move(rehearsed));
    }
    return result;
}

} // namespace rehearsal
