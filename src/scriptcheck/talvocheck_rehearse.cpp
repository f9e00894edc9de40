#include "talvocheck_rehearse.h"

#include "rehearsal/plot.h"
#include "rehearsal/rehearsal.h"
#include "scriptcheck/scriptcheck.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace {

QString knots(double speed) {
    return QString::number(speed, 'f', speed == std::floor(speed) ? 0 : 1);
}

} // namespace

int rehearseScript(const QString& path, const QString& plotPath, QTextStream& out) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        out << path << ": cannot be read: " << file.errorString() << '\n';
        return 2;
    }
    const QByteArray bytes = file.readAll();
    // A placeholder of the simulator's names is rehearsed like the name it stands for; any other
    // problem keeps the script from loading, and from the rehearsal.
    if (const std::optional<scriptcheck::Problem> problem = scriptcheck::checkScript(bytes);
        problem && problem->placeholder.isEmpty()) {
        out << path << ':' << problem->line << ": " << problem->message << '\n';
        return 1;
    }
    const rehearsal::Rehearsal result = rehearsal::rehearse(bytes);
    if (!result.problem.isEmpty() && result.flights.empty()) {
        out << path << ": not rehearsed: " << result.problem << '\n';
        return 1;
    }
    const rehearsal::Settings& s = result.settings;
    out << path << ": rehearsed over " << result.flights.size() << " flights (V1 " << knots(s.v1)
        << ", Vr " << knots(s.vr) << ", V2 " << knots(s.v2) << "; CallSpeed " << int(s.callSpeed)
        << ", CallList " << int(s.callList) << ", RateFlight " << int(s.rateFlight) << ")\n";
    std::vector<rehearsal::PlottedFlight> plotted;
    for (const rehearsal::FlightRehearsal& flight : result.flights) {
        out << '\n'
            << flight.flight.name << ": "
            << (flight.broken.empty() ? u"every rule kept"_s
                                      : u"%1 rule(s) broken"_s.arg(flight.broken.size()))
            << '\n';
        for (const rehearsal::Record& record : flight.records) {
            out << QString::asprintf("  %7.2f s  %5.0f kt  %6.0f ft  ", record.state.time,
                                     record.state.speed, record.state.height)
                << record.text << '\n';
        }
        for (const rehearsal::BrokenRule& broken : flight.broken) {
            out << QString::asprintf("  %7.2f s  rule broken: ", broken.time) << broken.rule
                << '\n';
        }
        std::vector<rehearsal::Record> texts;
        for (const rehearsal::Record& record : flight.records) {
            if (!record.text.startsWith(u"sound: "_s)) {
                texts.push_back(record);
            }
        }
        plotted.push_back({&flight.flight, texts, flight.broken});
    }
    if (!result.problem.isEmpty()) {
        out << "\nstopped: " << result.problem << '\n';
    }
    if (!plotPath.isEmpty()) {
        if (!rehearsal::plotRehearsal(plotted).save(plotPath, "PNG")) {
            out << plotPath << ": cannot be written\n";
            return 2;
        }
        out << "\nplot: " << plotPath << '\n';
    }
    return result.keepsEveryRule() ? 0 : 1;
}
